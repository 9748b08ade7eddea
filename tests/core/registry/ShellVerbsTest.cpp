// Marvok's Explorer verbs on .ini files and the K-vex utilities: the keys and default values
// they write, what removal leaves, and the counts the user is told.

#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "registry/mMyRegStuff.h"
#include "registry/mRegStuff.h"
#include "support/SessionFixture.h"

namespace marvok::test {
namespace {

using Values = std::set<std::string>;
constexpr std::uint32_t kClasses = platform::kHkeyClassesRoot;
constexpr std::uint32_t kUser = platform::kHkeyCurrentUser;
const std::string kKvex = "Software\\VB and VBA Program Settings\\K-VEX.1.0.56";

class ShellVerbsTest : public SessionFixture {
  protected:
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& message : ui.messages) {
            texts.push_back(message.text);
        }
        return texts;
    }
    bool Verb(const char* name) {
        return KeyExists(registry, kClasses, std::string("inifile\\shell\\") + name);
    }

    GameRegistry files;
    FileRegistry& registry = files.store;
    const mMyRegStuff::ProgramLocation program{
        "C:\\Program Files\\Microsoft Games\\Monster Truck Madness 2", "Marvok.exe"};
};

TEST_F(ShellVerbsTest, RegisteringWritesTheSixDefaultValuesAndRemovingTakesThem) {
    mRegStuff::WriteValue(registry, ui, mRegStuff::kHkeyClassesRoot, "inifile\\shell\\open", "",
                          "&Open");
    for (int round = 0; round < 2; ++round) {
        ui.messages.clear();
        EXPECT_EQ(mMyRegStuff::RegisterShellVerbs(session, registry, program), 6);
    }
    const std::string exe =
        "=\"C:\\Program Files\\Microsoft Games\\Monster Truck Madness 2\\Marvok.exe\"";
    EXPECT_EQ(Dump(registry, kClasses, "inifile\\shell"),
              (Values{"open|=&Open", "marvokO|=MARVOK - open with",
                      "marvokI|=MARVOK - install as pod.ini", "marvokD|=MARVOK - send to desktop",
                      "marvokO\\command|" + exe + " /open %1",
                      "marvokI\\command|" + exe + " /install %1",
                      "marvokD\\command|" + exe + " /desktop %1"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Registered 6 of 6"});

    ui.messages.clear();
    EXPECT_EQ(mMyRegStuff::RemoveShellVerbs(session, registry), 6);
    EXPECT_EQ(Messages(), std::vector<std::string>{"removed 6 of 6"});
    EXPECT_EQ(Dump(registry, kClasses, "inifile\\shell"), Values{"open|=&Open"});
    EXPECT_FALSE(Verb("marvokO") || Verb("marvokI") || Verb("marvokD"));

    // Verbs never registered: each missing key is created to look below it, then deleted again.
    ui.messages.clear();
    EXPECT_EQ(mMyRegStuff::RemoveShellVerbs(session, registry), 3);
    EXPECT_EQ(Messages(), std::vector<std::string>{"removed 3 of 6"});
    EXPECT_FALSE(Verb("marvokO") || Verb("marvokI") || Verb("marvokD"));
}

TEST_F(ShellVerbsTest, CommandLinesNameTheProgramThatRegisteredThem) {
    const struct {
        mMyRegStuff::ProgramLocation program;
        const char* op;
        const char* expected;
    } cases[] = {
        {{"C:\\Games\\MTM2", "Marvok.exe"}, "open", "\"C:\\Games\\MTM2\\Marvok.exe\" /open %1"},
        {{"C:\\Games\\MTM2", "marvok"}, "install", "\"C:\\Games\\MTM2\\marvok.exe\" /install %1"},
        {{"C:\\Games\\MTM2", "Marvok.bin"}, "desktop",
         "\"C:\\Games\\MTM2\\Marvok.exe\" /desktop %1"},
        {{"C:\\", "Marvok.exe"}, "open", "\"C:\\Marvok.exe\" /open %1"},
        // A Linux program, which Wine starts by its own name: the list's path in quotes, since
        // Wine splits the arguments at blanks before they reach it.
        {{"/home/me/.wine/drive_c/MTM2", "marvok", false}, "install",
         "\"C:\\MTM2\\marvok\" /install \"%1\""},
        {{"/home/me/.wine/drive_c/MTM2", "marvok.bin", false}, "open",
         "\"C:\\MTM2\\marvok.bin\" /open \"%1\""},
    };
    files.folders["/home/me/.wine/drive_c/MTM2"] = "C:\\MTM2";
    for (const auto& c : cases) {
        EXPECT_EQ(mMyRegStuff::VerbCommandLine(registry, c.program, c.op), c.expected);
    }
}

TEST_F(ShellVerbsTest, NothingIsTouchedWhileTheRegistryIsInUse) {
    files.blocked = "Close Wine first.";
    EXPECT_EQ(mMyRegStuff::RegisterShellVerbs(session, registry, program), 0);
    EXPECT_EQ(mMyRegStuff::RemoveShellVerbs(session, registry), 0);
    mMyRegStuff::ClearKvexStartup(session, registry);
    mMyRegStuff::ResetKvexPosition(session, registry);
    EXPECT_FALSE(mMyRegStuff::ResetAs(session, registry, "mtm2"));
    EXPECT_EQ(Messages(), std::vector<std::string>(5, "Close Wine first."));
    EXPECT_EQ(ui.messages[4].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(files.folder.Exists("system.reg") || files.folder.Exists("user.reg"));
}

// The messages of a clear with nothing to clear and of a reset are FormRegTest's.
TEST_F(ShellVerbsTest, KvexStartupIsResetAndCleared) {
    mMyRegStuff::ResetKvexPosition(session, registry);
    EXPECT_EQ(Dump(registry, kUser, kKvex), (Values{"Startup|Left=0", "Startup|Top=0"}));
    mMyRegStuff::ClearKvexStartup(session, registry);
    EXPECT_EQ(Messages(), std::vector<std::string>{"K-vex key deleted!"});
    EXPECT_FALSE(KeyExists(registry, kUser, kKvex + "\\Startup"));
}

}  // namespace
}  // namespace marvok::test
