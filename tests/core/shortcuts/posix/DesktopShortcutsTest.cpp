// Shortcut files on Linux: launchers that a desktop opens, found and removed in any letter case.

#include <gtest/gtest.h>

#include "platform/ShellLink.h"
#include "platform/posix/DesktopEntry.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

namespace desktop = platform::desktop;
using std::filesystem::perms;

class DesktopShortcuts : public ::testing::Test {
  protected:
    DesktopShortcuts() : links(platform::CreateShellLinks()) {}

    bool Executable(std::string_view relative) {
        return (std::filesystem::status(files.Native(relative)).permissions() &
                perms::owner_exec) != perms::none;
    }

    test::ShortcutFolder files;
    std::unique_ptr<platform::ShellLinks> links;
};

TEST_F(DesktopShortcuts, TheFileNamesTheTargetWithItsArgumentsFolderAndIcon) {
    platform::ShellLinkProperties link;
    link.description = "RAD Odevovi";
    link.targetPath = files.Folder("My $Game 100%\\recörder");  // "\\" as the program builds
    link.arguments = "/i \"C:\\Pod Lists\\Été $x.ini\" 100% `x` '*'";
    link.workingDirectory = files.Folder("Work $dir 50%");
    link.iconLocation = link.targetPath + ", 0";
    ASSERT_EQ(links->Save(files.Folder("Desk\\race.ini.desktop"), link), "");
    EXPECT_TRUE(Executable("Desk/race.ini.desktop"));
    const auto keys = desktop::ReadDesktopEntry(files.Read("Desk/race.ini.desktop"));
    EXPECT_EQ(keys.at("Type"), "Application");
    EXPECT_EQ(keys.at("Name"), "race.ini");
    EXPECT_EQ(keys.at("Comment"), "RAD Odevovi");
    EXPECT_EQ(keys.at("Icon"), files.NativeText("My $Game 100%/recörder"));
    EXPECT_EQ(keys.at("Path"), files.NativeText("Work $dir 50%"));
    EXPECT_EQ(desktop::ParseExec(keys.at("Exec")),
              std::optional(std::vector<std::string>{files.NativeText("My $Game 100%/recörder"),
                                                     "/i", "C:\\Pod Lists\\Été $x.ini", "100%",
                                                     "`x`", "'*'"}));
}

TEST_F(DesktopShortcuts, ReplacingKeepsTheExecuteBitAndFindingAndRemovingIgnoreCase) {
    platform::ShellLinkProperties link;
    link.targetPath = "/games/marvok";
    files.Write("Links/marvok.desktop", "old");
    std::filesystem::permissions(files.Native("Links/marvok.desktop"),
                                 perms::owner_read | perms::owner_write);
    ASSERT_EQ(links->Save(files.Folder("Links\\marvok.desktop"), link), "");
    EXPECT_EQ(files.Names("Links"), std::vector<std::string>{"marvok.desktop"});
    EXPECT_TRUE(Executable("Links/marvok.desktop"));
    EXPECT_EQ(links->Load(files.Folder("Links\\marvok.desktop"))->targetPath, "/games/marvok");
    EXPECT_EQ(desktop::ReadDesktopEntry(files.Read("Links/marvok.desktop")).count("Path"), 0u);

    EXPECT_TRUE(links->OrdinaryFileExists(files.Folder("Links\\Marvok.DESKTOP")));
    EXPECT_EQ(links->Remove(files.Folder("Links\\MARVOK.desktop")), "");
    EXPECT_EQ(files.Names("Links"), std::vector<std::string>{});
    EXPECT_NE(links->Remove(files.Folder("Links\\MARVOK.desktop")), "");
}

TEST_F(DesktopShortcuts, AFileThatIsNoLauncherReadsAsNothing) {
    files.Write("junk.desktop", "[Desktop Entry]\nName=x\n");
    files.Write("open.desktop", "[Desktop Entry]\nExec=\"/x\n");
    EXPECT_EQ(links->Load(files.Folder("junk.desktop")), std::nullopt);
    EXPECT_EQ(links->Load(files.Folder("open.desktop")), std::nullopt);
    EXPECT_EQ(links->Load(files.Folder("missing.desktop")), std::nullopt);
}

}  // namespace
}  // namespace marvok
