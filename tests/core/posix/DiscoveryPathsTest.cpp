// Discovery of user folders on Linux, where only a Wine prefix has short names.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/FileSystem.h"
#include "platform/posix/PosixFileSystem.h"
#include "podlist/PathOptions.h"
#include "podlist/mAvailablePods.h"
#include "shell/mCommonFunctions.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"

namespace marvok {
namespace {

namespace fsys = std::filesystem;

// A session over the game folder with the file system the program would make for it.
struct LinuxSession {
    explicit LinuxSession(const std::string& game)
        : fs(platform::CreateFileSystem(game)), session(*fs, settings, ui) {
        SetGamePaths(session, game);
    }
    std::unique_ptr<platform::FileSystem> fs;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session;
};

TEST(LinuxUserFolders, OutsideAPrefixAFolderWithABlankIsLeftOut) {
    test::TestGameFolder dir;
    dir.Write("game\\main.pod", "x");
    dir.Write("My Pods\\big.pod", "x");
    dir.Write("pods\\small.pod", "x");
    LinuxSession setup(dir.Native("game").string());
    Session& session = setup.session;
    session.UserPaths[0] = dir.Native("My Pods").string();
    session.UserPaths[1] = dir.Native("pods").string();
    mAvailablePods::RefreshAvailablePods(session);
    // Not "\big.pod": an entry the game could never mount.
    EXPECT_EQ(session.List2.Items(),
              (std::vector<std::string>{dir.Native("pods").string() + "\\small.pod", "main.pod"}));
    // ...and the window is told which folder gave nothing, and why.
    const std::string blank =
        "its path holds a blank, and it has no short name without one, so the game could not "
        "mount its pods";
    EXPECT_EQ(session.SkippedUserFolders,
              std::vector<std::string>{dir.Native("My Pods").string() + ": " + blank});

    // What Path Options says of a folder as it is chosen or typed.
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {dir.Native("pods").string(), ""},
        {dir.Native("My Pods").string(), blank},
        {"pods", "not a full path (it must start with a drive, such as D:\\)"},
        {dir.Native("gone").string(), "not found"},
        {dir.Native("game").string() + "/main.pod", "not a folder"},
    };
    for (const auto& [folder, why] : cases) {
        EXPECT_EQ(pathoptions::UserFolderProblem(session, folder), why) << folder;
    }
    const std::vector<NotMountedEntry> unmountable = {
        {dir.Native("My Pods").string() + "\\big.pod", NotMountedReason::BlankInFolder}};
    EXPECT_EQ(session.Unmountable.Entries(), unmountable);
}

// A Wine prefix laid out as Wine makes it: the game folder finds its prefix, its drives and
// Wine's short names, and a user folder with blanks lists its pods by them.
TEST(LinuxUserFolders, InsideAPrefixEntriesUseWinesShortNames) {
    test::TestGameFolder dir;
    dir.Write("system.reg", "WINE REGISTRY Version 2\n");
    dir.Write("drive_c\\Games\\Monster Truck Madness 2\\main.pod", "x");
    dir.Write("drive_c\\My Pods\\Big Trucks\\x.pod", "x");
    dir.MakeFolder("dosdevices");
    fsys::create_directory_symlink("../drive_c", dir.Native("dosdevices\\c:"));
    fsys::create_directory_symlink("/", dir.Native("dosdevices\\z:"));
    const std::string game = dir.Native("drive_c\\Games\\Monster Truck Madness 2").string();
    const std::optional<platform::WinePrefix> prefix = platform::WinePrefix::Find(game);
    ASSERT_TRUE(prefix);
    EXPECT_EQ(fsys::path(prefix->root), fsys::canonical(dir.Native("")));
    EXPECT_EQ(prefix->ToWindowsPath(game), "C:\\Games\\Monster Truck Madness 2");
    EXPECT_EQ(prefix->ToWindowsPath("/"), "Z:\\");
    EXPECT_FALSE(platform::WinePrefix::Find(fsys::path(dir.Folder()).parent_path().string()));
    LinuxSession setup(game);
    const platform::FileSystem& fs = *setup.fs;
    EXPECT_EQ(fs.Attributes("C:\\games\\MONSTER TRUCK MADNESS 2\\main.pod"),
              platform::EntryKind::File);
    EXPECT_EQ(fs.Attributes("c:\\My Pods"), platform::EntryKind::Directory);
    EXPECT_FALSE(fs.Attributes("D:\\anything"));
    const std::string folder = dir.Native("drive_c\\My Pods\\Big Trucks").string();
    const std::string shortPath = fs.ShortPath(folder);
    EXPECT_EQ(shortPath, "C:\\" + platform::HashedShortName("My Pods") + "\\" +
                             platform::HashedShortName("Big Trucks"));
    EXPECT_EQ(fs.ShortPath(shortPath), shortPath);  // already short: unchanged
    Session& session = setup.session;
    session.UserPaths[2] = folder;
    mAvailablePods::RefreshAvailablePods(session);
    EXPECT_EQ(session.List2.Items(), (std::vector<std::string>{shortPath + "\\x.pod", "main.pod"}));
    EXPECT_TRUE(shell::mCommonFunctions::FileExists(session, shortPath + "\\x.pod"));
}

TEST(LinuxGameFolder, APathHoldingABackslashIsReadAsItself) {
    test::TestGameFolder dir;
    // Were "\\" taken as a separator, the game folder "x\y" would be "x/y", and its folder
    // named "..\x" would be "x" beside it.
    fsys::create_directories(dir.Native("x") / "y");
    dir.Write("x\\y\\other.pod", "x");
    const std::string game = (fsys::path(dir.Folder()) / "x\\y").string();
    fsys::create_directories(game);
    std::ofstream(game + "/main.pod") << "x";
    fsys::create_directories(game + "/..\\x");
    LinuxSession setup(game);
    Session& session = setup.session;
    mAvailablePods::RefreshAvailablePods(session);
    EXPECT_EQ(session.List2.Items(), std::vector<std::string>{"main.pod"});
    EXPECT_TRUE(shell::mCommonFunctions::FileExists(session, "main.pod"));
    EXPECT_FALSE(shell::mCommonFunctions::FileExists(session, "other.pod"));
    EXPECT_EQ(setup.fs->WriteFileAtomic(session.PodIniPath, "0\r\n"), "");
    EXPECT_TRUE(fsys::exists(game + "/pod.ini"));
    EXPECT_FALSE(fsys::exists(dir.Native("x") / "y" / "pod.ini"));
}

}  // namespace
}  // namespace marvok
