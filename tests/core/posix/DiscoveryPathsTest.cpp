// Discovery of user folders on Linux, where only a Wine prefix has short names.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/posix/PosixFileSystem.h"
#include "podlist/mAvailablePods.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"

namespace marvok {
namespace {

namespace fsys = std::filesystem;

TEST(LinuxUserFolders, OutsideAPrefixAFolderWithABlankIsLeftOut) {
    test::TestGameFolder dir;
    dir.Write("game\\main.pod", "x");
    dir.Write("My Pods\\big.pod", "x");
    dir.Write("pods\\small.pod", "x");
    platform::PosixFileSystem fs(std::nullopt);
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session(fs, settings, ui);
    SetGamePaths(session, dir.Native("game").string());
    session.UserPaths[0] = dir.Native("My Pods").string();
    session.UserPaths[1] = dir.Native("pods").string();
    mAvailablePods::RefreshAvailablePods(session);
    // Not "\big.pod": an entry the game could never mount.
    EXPECT_EQ(session.List2.Items(),
              (std::vector<std::string>{dir.Native("pods").string() + "\\small.pod", "main.pod"}));
}

TEST(LinuxUserFolders, InsideAPrefixEntriesUseWinesShortNames) {
    test::TestGameFolder dir;
    dir.Write("system.reg", "WINE REGISTRY Version 2\n");
    dir.Write("drive_c\\MTM2\\main.pod", "x");
    dir.Write("drive_c\\My Pods\\big.pod", "x");
    dir.MakeFolder("dosdevices");
    fsys::create_directory_symlink("../drive_c", dir.Native("dosdevices\\c:"));
    const std::string game = dir.Native("drive_c\\MTM2").string();
    auto fs = platform::CreateFileSystem(game);
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session(*fs, settings, ui);
    SetGamePaths(session, game);
    session.UserPaths[2] = dir.Native("drive_c\\My Pods").string();
    mAvailablePods::RefreshAvailablePods(session);
    const std::vector<std::string> expected = {"C:\\" + platform::HashedShortName("My Pods") +
                                                   "\\big.pod",
                                               "main.pod"};
    EXPECT_EQ(session.List2.Items(), expected);
    EXPECT_TRUE(session.FileExists(expected[0]));
}

}  // namespace
}  // namespace marvok
