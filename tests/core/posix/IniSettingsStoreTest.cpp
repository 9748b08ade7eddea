#include <gtest/gtest.h>

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

TEST(IniSettingsStore, AWriteThatFailsSaysWhy) {
    test::TestGameFolder dir;
    dir.Write("blocked", "a file where a folder should be");
    IniSettingsStore store(dir.Native("blocked\\marvok.ini").string());
    EXPECT_NE(store.Write("Prefs", "ViewMode", "1"), "");
}

}  // namespace
}  // namespace marvok::platform

namespace marvok::platform {
namespace {

TEST(IniSettingsStore, AValueThatWouldBreakTheFileIsRefused) {
    test::TestGameFolder dir;
    IniSettingsStore store(dir.Native("marvok.ini").string());
    EXPECT_EQ(store.Write("userDir", "path(0)", "/pods"), "");
    EXPECT_NE(store.Write("userDir", "path(1)", "/a\n[Prefs]\nViewMode=1"), "");
    EXPECT_FALSE(store.Read("Prefs", "ViewMode"));
    EXPECT_EQ(store.Read("userDir", "path(0)"), "/pods");
}

}  // namespace
}  // namespace marvok::platform
