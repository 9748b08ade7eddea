#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/posix/IniSettingsStore.h"
#include "support/TestGameFolder.h"

namespace marvok::platform {
namespace {

TEST(IniSettingsStore, WritesCreateTheFolderAndReadBackIgnoringCase) {
    test::TestGameFolder dir;
    IniSettingsStore store(dir.Native("config\\marvok\\marvok.ini").string());
    EXPECT_FALSE(store.Read("Prefs", "ViewMode"));
    EXPECT_EQ(store.Write("Prefs", "KeepOnTop", "10"), "");
    EXPECT_EQ(store.Write("userDir", "path(0)", "/home/me/My Pods"), "");
    EXPECT_EQ(store.Read("prefs", "keepOnTop"), "10");
    EXPECT_EQ(store.Read("USERDIR", "Path(0)"), "/home/me/My Pods");
    EXPECT_EQ(dir.Read("config\\marvok\\marvok.ini"),
              "[Prefs]\r\nKeepOnTop=10\r\n[userDir]\r\npath(0)=/home/me/My Pods\r\n");
    // A value that would break the file is refused.
    EXPECT_NE(store.Write("userDir", "path(1)", "/a\n[Prefs]\nViewMode=1"), "");
    EXPECT_FALSE(store.Read("Prefs", "ViewMode"));
    EXPECT_EQ(store.Read("userDir", "path(0)"), "/home/me/My Pods");
    dir.Write("blocked", "a file where a folder should be");
    IniSettingsStore blocked(dir.Native("blocked\\marvok.ini").string());
    EXPECT_NE(blocked.Write("Prefs", "ViewMode", "1"), "");
}

TEST(IniSettingsStore, AFileOfJunkGivesDefaultsAndKeepsItsBytes) {
    test::TestGameFolder dir;
    const std::string junk("\x00\xff\x01garbage\n\n=\n[", 15);
    dir.Write("marvok.ini", junk);
    IniSettingsStore store(dir.Native("marvok.ini").string());
    EXPECT_FALSE(store.Read("Prefs", "ViewMode"));
    EXPECT_EQ(store.Write("Prefs", "ViewMode", "1"), "");
    EXPECT_EQ(store.Read("Prefs", "ViewMode"), "1");
    EXPECT_EQ(dir.Read("marvok.ini").substr(0, junk.size()), junk);
}

// Runs the check in a child process without root's right to read anything (as root, drops to
// "nobody"), so an unreadable file is unreadable. True when the check held.
bool HoldsWithoutRoot(const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writing one key into a store that could not be read whole would drop the others.
TEST(IniSettingsStore, AStoreThatCannotBeReadWholeRefusesAWriteAndIsKept) {
    const std::pair<std::string, mode_t> stores[] = {
        {"[Prefs]\r\nSortMode=yes\r\n", 0222},  // no right to read
        {"[Prefs]\r\nSortMode=yes\r\n[userDir]\r\n" + std::string(1 << 20, ';') +
             "\r\npath(0)=/pods\r\n",
         0666}};  // larger than 1 MiB
    for (const auto& [content, mode] : stores) {
        test::TestGameFolder dir;
        dir.Write("marvok.ini", content);
        const std::string path = dir.Native("marvok.ini").string();
        ASSERT_EQ(chmod(dir.Folder().c_str(), 0777), 0);
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        EXPECT_TRUE(HoldsWithoutRoot([&] {
            IniSettingsStore store(path);
            return !store.Write("Prefs", "ViewMode", "1").empty();
        })) << mode;
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        EXPECT_EQ(dir.Read("marvok.ini"), content);
    }
}

}  // namespace
}  // namespace marvok::platform
