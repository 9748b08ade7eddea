// "marvok /desktop <list>" then opening the shortcut it made, with the real executable, a
// home of its own and no display.

#include <gtest/gtest.h>

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
        const std::string home = files.NativeText("home");
        // No DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM: there is no window system.
        environment = {"HOME=" + home,
                       "XDG_CONFIG_HOME=" + home + "/.config",
                       "XDG_DATA_HOME=" + home + "/.local/share",
                       "XDG_DATA_DIRS=" + files.NativeText("shared"),
                       "XDG_CONFIG_DIRS=" + files.NativeText("etc"),
                       "LANG=C.UTF-8",
                       std::string("PATH=") + (std::getenv("PATH") ? std::getenv("PATH") : "")};
        files.MakeFolder("home");
    }

    // Runs the program in the test folder; its output goes to run.log for the reader.
    int Run(const std::vector<std::string>& argv, const std::string& folder = {}) {
        return test::Spawn(argv, folder.empty() ? files.NativeText("") : folder, environment,
                           files.NativeText("run.log"));
    }

    test::ShortcutFolder files;
    std::string program;
    std::string list;
    std::vector<std::string> environment;
};

TEST_F(DesktopOperator, MakesAListShortcutThatInstallsTheListWhenOpened) {
    ASSERT_EQ(Run({program, "/desktop", list}), 0) << files.Read("run.log");
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

TEST_F(DesktopOperator, WithoutTheListFileOrADesktopToWriteNoShortcutIsMade) {
    // Without a display the program says what is wrong with the list.
    const std::string missing = files.NativeText("missing.ini");
    EXPECT_NE(Run({program, "/desktop", missing}), 0);
    EXPECT_FALSE(files.Exists("home/Desktop"));
    EXPECT_NE(files.Read("run.log").find("The pod list " + missing + " was not found."),
              std::string::npos)
        << files.Read("run.log");

    files.Write("home/Desktop", "a file where the desktop folder should be");
    EXPECT_NE(Run({program, "/desktop", list}), 0);
    EXPECT_NE(files.Read("run.log").find("Could not make the desktop shortcut to " + list),
              std::string::npos)
        << files.Read("run.log");
    EXPECT_EQ(files.Read("home/Desktop"), "a file where the desktop folder should be");
    EXPECT_EQ(files.Read("My Game $1/pod.ini"), "1\r\na.pod\r\n");
}

}  // namespace
}  // namespace marvok
