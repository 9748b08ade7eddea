// "marvok /desktop <list>" then opening the shortcut it made, with the real executable, a
// home of its own and no display.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

#include "platform/posix/DesktopEntry.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

namespace desktop = platform::desktop;

class DesktopOperator : public ::testing::Test {
  protected:
    DesktopOperator() {
        files.MakeFolder("My Game $1");
        program = files.NativeText("My Game $1/marvok");
        std::filesystem::copy_file(MARVOK_EXECUTABLE, program);
        files.Write("My Game $1/a.pod", "POD");
        files.Write("My Game $1/b.pod", "POD");
        files.Write("My Game $1/pod.ini", "1\r\na.pod\r\n");
        files.Write("Pod Lists/Race Été.INI", "2\r\nb.pod\r\na.pod\r\n");
        list = files.NativeText("Pod Lists/Race Été.INI");
        files.MakeFolder("home");

        const std::string home = files.NativeText("home");
        environment = {"HOME=" + home,
                       "XDG_CONFIG_HOME=" + home + "/.config",
                       "XDG_DATA_HOME=" + home + "/.local/share",
                       "XDG_DATA_DIRS=" + files.NativeText("shared"),
                       "XDG_CONFIG_DIRS=" + files.NativeText("etc"),
                       "LANG=C.UTF-8"};
        if (const char* path = std::getenv("PATH")) {
            environment.push_back(std::string("PATH=") + path);
        }
        // No DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM: there is no window system.
    }

    // Runs the program and answers its exit code; its output goes to a file for the reader.
    int Run(std::vector<std::string> argv, const std::string& folder) {
        std::vector<char*> args;
        for (auto& a : argv) {
            args.push_back(a.data());
        }
        args.push_back(nullptr);
        std::vector<char*> env;
        for (auto& e : environment) {
            env.push_back(e.data());
        }
        env.push_back(nullptr);
        const std::string log = files.NativeText("run.log");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        pid_t pid = 0;
        const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) {
            return -1;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    test::ShortcutFolder files;
    std::string program;
    std::string list;
    std::vector<std::string> environment;
};

TEST_F(DesktopOperator, MakesAListShortcutThatInstallsTheListWhenOpened) {
    ASSERT_EQ(Run({program, "/desktop", list}, files.NativeText("")), 0) << files.Read("run.log");
    const std::string shortcut = "home/Desktop/race été.ini.desktop";
    ASSERT_TRUE(files.Exists(shortcut)) << files.Read("run.log");
    EXPECT_EQ(files.Read("My Game $1/pod.ini"), "1\r\na.pod\r\n") << "the list is not read yet";
    const auto mode = std::filesystem::status(files.Native(shortcut)).permissions();
    EXPECT_NE(mode & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

    const auto keys = desktop::ReadDesktopEntry(files.Read(shortcut));
    EXPECT_EQ(keys.at("Comment"), "RAD Odevovi");
    EXPECT_EQ(keys.at("Path"), files.NativeText("My Game $1"));
    const auto command = desktop::ParseExec(keys.at("Exec"));
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(*command, (std::vector<std::string>{program, "/i", list}));

    ASSERT_EQ(Run(*command, keys.at("Path")), 0) << files.Read("run.log");
    EXPECT_EQ(files.Read("My Game $1/pod.ini"), "2\r\nb.pod\r\na.pod\r\n");
}

TEST_F(DesktopOperator, ADesktopThatCannotBeWrittenIsReportedAndFails) {
    files.Write("home/Desktop", "a file where the desktop folder should be");
    EXPECT_NE(Run({program, "/desktop", list}, files.NativeText("")), 0);
    EXPECT_NE(files.Read("run.log").find("Could not make the desktop shortcut to " + list),
              std::string::npos)
        << files.Read("run.log");
    EXPECT_EQ(files.Read("home/Desktop"), "a file where the desktop folder should be");
    EXPECT_EQ(files.Read("My Game $1/pod.ini"), "1\r\na.pod\r\n");
}

TEST_F(DesktopOperator, WithoutTheListFileNoShortcutIsMade) {
    // Without a display the program says what is wrong with the list.
    const std::string missing = files.NativeText("missing.ini");
    EXPECT_NE(Run({program, "/desktop", missing}, files.NativeText("")), 0);
    EXPECT_FALSE(files.Exists("home/Desktop"));
    EXPECT_NE(files.Read("run.log").find("The pod list " + missing + " was not found."),
              std::string::npos)
        << files.Read("run.log");
}

}  // namespace
}  // namespace marvok
