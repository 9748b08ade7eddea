// The file store: where each root lives, the 32-bit view of a 64-bit prefix, the files it writes,
// and that nothing is lost or written over when the files cannot be used.

#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "registry/mRegStuff.h"
#include "support/FakeUserInterface.h"

namespace marvok::test {
namespace {

using namespace std::string_literals;
using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::RegHandle;

class FileRegistryTest : public ::testing::Test {
  protected:
    FileRegistry& Store() { return files.store; }
    // A REG_SZ value, stored with its NUL as the class writes it.
    long Write(std::uint32_t root, const std::string& path, const std::string& name,
               const std::string& text) {
        return Put(Store(), root, path, name, 1, text + '\0');
    }
    std::optional<std::string> Read(std::uint32_t root, const std::string& path,
                                    const std::string& name) {
        const auto stored = Get(Store(), root, path, name);
        return stored ? std::optional(stored->data) : std::nullopt;
    }

    GameRegistry files;
    TestGameFolder& folder = files.folder;
    std::string& blocked = files.blocked;
    FakeUserInterface ui;
};

TEST_F(FileRegistryTest, WritesTheFileWineWouldWriteAndReadsItBack) {
    ASSERT_EQ(Write(kHkeyCurrentUser, "Software\\Marvok", "Name", "d\u00e4ta \"x\""), 0);
    EXPECT_EQ(folder.Read("user.reg"),
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
              "\n"
              "#arch=win32\n"
              "\n"
              "[Software\\\\Marvok] 1700000000\n"
              "#time=1da1747c66d0000\n"
              "\"Name\"=\"d\\xe4ta \\\"x\\\"\"\n");
    EXPECT_FALSE(folder.Exists("system.reg"));
    // A second store on the same files reads what the first wrote; names match ignoring case.
    FileRegistry other(FileOptions(folder));
    EXPECT_EQ(Get(other, kHkeyCurrentUser, "SOFTWARE\\marvok", "name")->data, "d\u00e4ta \"x\"\0"s);
    // As does this one when another program changes the file.
    folder.Write("user.reg",
                 "WINE REGISTRY Version 2\n\n[Software\\\\A] 1\n\"v\"=\"theirs, longer\"\n");
    EXPECT_EQ(Read(kHkeyCurrentUser, "Software\\A", "v"), "theirs, longer\0"s);
}

TEST_F(FileRegistryTest, EachRootLivesInItsFile) {
    ASSERT_EQ(Write(kHkeyClassesRoot, "inifile\\shell\\marvokO", "", "menu"), 0);
    // A key keeps the spelling it was made with.
    ASSERT_EQ(Write(kHkeyLocalMachine, "SOFTWARE\\Game", "a", "1"), 0);
    ASSERT_EQ(Write(kHkeyCurrentUser, "Software\\Kvex", "b", "2"), 0);
    const std::string system = folder.Read("system.reg");
    EXPECT_NE(system.find("[Software\\\\Game] "), std::string::npos) << system;
    EXPECT_EQ(system.find("Kvex"), std::string::npos);
    EXPECT_NE(folder.Read("user.reg").find("[Software\\\\Kvex] "), std::string::npos);
    // HKEY_CLASSES_ROOT is a view of HKLM\Software\Classes.
    EXPECT_EQ(Read(kHkeyLocalMachine, "Software\\Classes\\inifile\\shell\\marvokO", ""), "menu\0"s);
}

TEST_F(FileRegistryTest, SoftwareOfA64BitPrefixIsTheWow6432Node) {
    folder.Write("system.reg",
                 "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
                 "#arch=win64\n\n[Software\\\\Wow6432Node\\\\Old] 1\n\"v\"=\"32\"\n\n"
                 "[Software\\\\Old] 1\n\"v\"=\"64\"\n");
    EXPECT_EQ(Read(kHkeyLocalMachine, "SOFTWARE\\Old", "v"), "32\0"s);
    ASSERT_EQ(Write(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Game", "x", "y"), 0);
    ASSERT_EQ(Write(kHkeyClassesRoot, "inifile", "", "INI"), 0);
    ASSERT_EQ(Write(kHkeyCurrentUser, "Software\\User", "u", "v"), 0);
    const std::string system = folder.Read("system.reg");
    EXPECT_NE(system.find("[Software\\\\Wow6432Node\\\\Microsoft\\\\Game] 1700000000"),
              std::string::npos) << system;
    // Classes are shared between the views, and HKCU is never redirected.
    EXPECT_NE(system.find("[Software\\\\Classes\\\\inifile] "), std::string::npos) << system;
    EXPECT_NE(folder.Read("user.reg").find("[Software\\\\User] "), std::string::npos);
    // The 64-bit key is left alone.
    EXPECT_NE(system.find("[Software\\\\Old] 1\n\"v\"=\"64\""), std::string::npos) << system;
}

TEST_F(FileRegistryTest, ADamagedFileIsReportedAndLeftAsItWas) {
    const std::string damaged =
        "WINE REGISTRY Version 2\n\n[Software\\\\A] 1\n\"v\"=\"no end\n[Software\\\\B] 1\n";
    folder.Write("system.reg", damaged);
    RegHandle key = 0;
    EXPECT_EQ(Store().OpenKey(kHkeyLocalMachine, "Software\\A", key), platform::kErrorBadDb);
    EXPECT_EQ(Write(kHkeyLocalMachine, "Software\\New", "v", "x"), platform::kErrorBadDb);
    // HKCU lives in the other file and still works.
    EXPECT_EQ(Write(kHkeyCurrentUser, "Software\\Fine", "v", "x"), 0);

    // The user learns which file and line, once; the short messages follow.
    EXPECT_FALSE(
        mRegStuff::WriteValue(Store(), ui, mRegStuff::kHkeyLocalMachine, "Software\\C", "v", "x"));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[0].text.find("system.reg is damaged (line 4:"), std::string::npos)
        << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.messages[1].text, "Couldn't create registry");
    EXPECT_EQ(ui.messages[2].text, "Couldn't create registry value");
    ui.messages.clear();
    mRegStuff::ReadAllValueNames(Store(), ui, "Software\\A");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Couldn't open registry key");
    EXPECT_EQ(folder.Read("system.reg"), damaged);

    // Once repaired, the file is used again.
    folder.Write("system.reg", "WINE REGISTRY Version 2\n\n[Software\\\\A] 1\n\"v\"=\"ok\"\n");
    EXPECT_EQ(Read(kHkeyLocalMachine, "Software\\A", "v"), "ok\0"s);
}

TEST_F(FileRegistryTest, KeysNestedTooDeepAreDamageNotACrash) {
    std::string deep = "WINE REGISTRY Version 2\n\n[A";
    for (int i = 0; i < 200000; ++i) {
        deep += "\\\\A";
    }
    folder.Write("system.reg", deep + "]\n");
    EXPECT_EQ(Write(kHkeyLocalMachine, "Software\\New", "v", "x"), platform::kErrorBadDb);
    EXPECT_NE(Store().TakeProblem().find("is damaged (line 3: the keys nest deeper"),
              std::string::npos);
    EXPECT_EQ(folder.Read("system.reg"), deep + "]\n");
    // Nor does the store make such a file itself: as deep as Windows allows, and no deeper.
    std::string path = "Software";
    for (std::size_t i = 1; i < winereg::kMaxKeyDepth; ++i) {
        path += "\\K";
    }
    ASSERT_EQ(Write(kHkeyCurrentUser, path, "v", "x"), 0);
    const std::string written = folder.Read("user.reg");
    EXPECT_EQ(Write(kHkeyCurrentUser, path + "\\K", "v", "x"), platform::kErrorInvalidParameter);
    EXPECT_EQ(folder.Read("user.reg"), written);
    EXPECT_EQ(Read(kHkeyCurrentUser, path, "v"), "x\0"s);
}

TEST_F(FileRegistryTest, RefusedWritesChangeNothing) {
    ASSERT_EQ(Write(kHkeyLocalMachine, "Software\\Game", "v", "before"), 0);
    const std::string before = folder.Read("system.reg");
    blocked = "Wine is running";
    EXPECT_EQ(Store().WriteBlocked(), "Wine is running");
    EXPECT_EQ(Write(kHkeyLocalMachine, "Software\\Game", "v", "after"),
              platform::kErrorAccessDenied);
    EXPECT_EQ(Write(kHkeyLocalMachine, "Software\\Other", "v", "x"), platform::kErrorAccessDenied);
    RegHandle key = 0;
    ASSERT_EQ(Store().OpenKey(kHkeyLocalMachine, "Software", key), 0);
    EXPECT_EQ(Store().DeleteKey(key, "Game"), platform::kErrorAccessDenied);
    EXPECT_EQ(Store().CreateKey(key, "Game"), 0);  // exists: nothing to write
    EXPECT_EQ(folder.Read("system.reg"), before);
    EXPECT_EQ(Read(kHkeyLocalMachine, "Software\\Game", "v"), "before\0"s);
    EXPECT_EQ(Store().TakeProblem(), "Wine is running");
    EXPECT_EQ(Store().TakeProblem(), "");
    blocked.clear();
    EXPECT_EQ(Write(kHkeyLocalMachine, "Software\\Game", "v", "after"), 0);
}

TEST_F(FileRegistryTest, AFailedSaveKeepsTheOldContents) {
    auto options = FileOptions(folder, "missing-folder\\");
    FileRegistry store(options);
    EXPECT_EQ(MakeKey(store, kHkeyLocalMachine, "Software\\Game"), platform::kErrorWriteFault);
    // The change was not kept in memory either.
    RegHandle key = 0;
    EXPECT_EQ(store.OpenKey(kHkeyLocalMachine, "Software\\Game", key),
              platform::kErrorFileNotFound);
    EXPECT_NE(store.TakeProblem().find("could not save the registry file"), std::string::npos);
    // With its folder made on demand, the same write succeeds.
    options.createFolders = true;
    FileRegistry making(options);
    EXPECT_EQ(MakeKey(making, kHkeyLocalMachine, "Software\\Game"), 0);
    EXPECT_TRUE(folder.Exists("missing-folder/system.reg"));
}

TEST_F(FileRegistryTest, HandlesOfDeletedKeysStopWorking) {
    ASSERT_EQ(Write(kHkeyCurrentUser, "Software\\A\\B", "v", "x"), 0);
    RegHandle parent = 0;
    RegHandle child = 0;
    ASSERT_EQ(Store().OpenKey(kHkeyCurrentUser, "Software\\A", parent), 0);
    ASSERT_EQ(Store().OpenKey(kHkeyCurrentUser, "Software\\A\\B", child), 0);
    EXPECT_EQ(Store().DeleteKey(parent, "B\\Missing"), platform::kErrorFileNotFound);
    ASSERT_EQ(Store().DeleteKey(parent, "B"), 0);
    std::uint32_t type = 0;
    std::string data;
    EXPECT_EQ(Store().QueryValue(child, "v", type, data), platform::kErrorKeyDeleted);
    EXPECT_EQ(Store().SetValue(child, "v", 1, "x"), platform::kErrorKeyDeleted);
    EXPECT_EQ(Store().CloseKey(child), 0);
    EXPECT_EQ(Store().CloseKey(child), platform::kErrorInvalidHandle);
    // A key with sub keys is not deleted.
    RegHandle software = 0;
    ASSERT_EQ(Store().OpenKey(kHkeyCurrentUser, "Software", software), 0);
    ASSERT_EQ(Store().CreateKey(parent, "C"), 0);
    EXPECT_EQ(Store().DeleteKey(software, "A"), platform::kErrorAccessDenied);
}

}  // namespace
}  // namespace marvok::test
