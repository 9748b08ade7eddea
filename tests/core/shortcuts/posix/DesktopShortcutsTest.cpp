#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/ShellLink.h"
#include "platform/posix/DesktopEntry.h"
#include "support/ShortcutFiles.h"

extern char** environ;

namespace marvok {
namespace {

namespace desktop = platform::desktop;

class DesktopShortcuts : public ::testing::Test {
  protected:
    DesktopShortcuts() : links(platform::CreateShellLinks()) {}

    // A program that writes each argument it gets, and its working folder, one per line.
    std::string MakeRecorder(std::string_view relative) {
        files.Write(relative,
                    "#!/bin/sh\npwd > \"$0.out\"\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> "
                    "\"$0.out\"; done\n");
        std::filesystem::permissions(files.Native(relative), std::filesystem::perms::owner_all);
        return files.Folder(relative);
    }

    // Starts what the launcher's Exec names, in its Path, as a desktop does.
    int Open(std::string_view relative) {
        const auto keys = desktop::ReadDesktopEntry(files.Read(relative));
        auto argv = desktop::ParseExec(keys.at("Exec")).value();
        std::vector<char*> pointers;
        for (auto& argument : argv) {
            pointers.push_back(argument.data());
        }
        pointers.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, keys.at("Path").c_str());
        pid_t pid = 0;
        const int error =
            posix_spawn(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = -1;
        if (error == 0) {
            waitpid(pid, &status, 0);
        }
        return status;
    }

    test::ShortcutFolder files;
    std::unique_ptr<platform::ShellLinks> links;
};

TEST_F(DesktopShortcuts, TheLauncherStartsTheTargetWithTheArguments) {
    const std::string program = MakeRecorder("My $Game 100%\\recörder");
    const std::string workDir = files.MakeFolder("Work $dir 50%");
    platform::ShellLinkProperties link;
    link.targetPath = program;  // with "\" as the program builds paths
    link.arguments = "/i \"C:\\Pod Lists\\Été $x.ini\" 100% `x` '*'";
    link.workingDirectory = workDir;
    link.iconLocation = program + ", 0";
    ASSERT_EQ(links->Save(files.Folder("Desk\\race.ini.desktop"), link), "");

    const auto mode = std::filesystem::status(files.Native("Desk/race.ini.desktop")).permissions();
    EXPECT_NE(mode & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
    ASSERT_EQ(Open("Desk/race.ini.desktop"), 0);
    EXPECT_EQ(
        files.Read("My $Game 100%/recörder.out"),
        files.NativeText("Work $dir 50%") + "\n/i\nC:\\Pod Lists\\Été $x.ini\n100%\n`x`\n'*'\n");
}

TEST_F(DesktopShortcuts, TheFileNamesTheShortcutAndItsIcon) {
    platform::ShellLinkProperties link;
    link.targetPath = "/games/mtm2/marvok";
    link.description = "Shortcut to Marvok";
    link.iconLocation = "/games/mtm2\\marvok, 0";
    ASSERT_EQ(links->Save(files.Folder("Marvok.desktop"), link), "");
    const auto keys = desktop::ReadDesktopEntry(files.Read("Marvok.desktop"));
    EXPECT_EQ(keys.at("Type"), "Application");
    EXPECT_EQ(keys.at("Name"), "Marvok");
    EXPECT_EQ(keys.at("Comment"), "Shortcut to Marvok");
    EXPECT_EQ(keys.at("Icon"), "/games/mtm2/marvok");
    EXPECT_EQ(keys.count("Path"), 0u);
}

TEST_F(DesktopShortcuts, ReplacingKeepsTheExecuteBitsAndLeavesNoTemporary) {
    platform::ShellLinkProperties link;
    link.targetPath = "/games/marvok";
    files.Write("Links/a.desktop", "old");
    std::filesystem::permissions(
        files.Native("Links/a.desktop"),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_EQ(links->Save(files.Folder("Links\\a.desktop"), link), "");
    EXPECT_EQ(files.Names("Links"), std::vector<std::string>{"a.desktop"});
    const auto mode = std::filesystem::status(files.Native("Links/a.desktop")).permissions();
    EXPECT_NE(mode & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
    EXPECT_EQ(links->Load(files.Folder("Links\\a.desktop"))->targetPath, "/games/marvok");
}

TEST_F(DesktopShortcuts, NamesMatchIgnoringCaseForFindingAndRemoving) {
    files.Write("Links/marvok.desktop", "[Desktop Entry]\nExec=/x\n");
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
