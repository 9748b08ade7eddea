#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/posix/XdgShellFolders.h"
#include "shell/mSpecialFolders.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

class FakeEnvironment final : public platform::Environment {
  public:
    std::optional<std::string> Get(std::string_view name) const override {
        const auto found = values.find(std::string(name));
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<std::string, std::string> values;
};

class XdgFolders : public ::testing::Test {
  protected:
    XdgFolders()
        : home(files.NativeText("home")), folders(environment, [this](const std::string& folder) {
              return readOnly.count(folder) == 0;
          }) {
        files.MakeFolder("home");
        environment.values["HOME"] = home;
        // Shared folders that do not exist unless a test makes them.
        environment.values["XDG_DATA_DIRS"] = files.NativeText("share") + ":/usr/share";
        environment.values["XDG_CONFIG_DIRS"] = files.NativeText("etc");
    }

    void UserDirs(const std::string& text) { files.Write("home/.config/user-dirs.dirs", text); }

    test::ShortcutFolder files;
    std::string home;
    FakeEnvironment environment;
    std::set<std::string> readOnly;
    platform::XdgShellFolders folders;
};

struct DefaultCase {
    std::string shellName;
    std::string underHome;  // empty: no such folder
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.shellName;
}

class XdgDefaults : public XdgFolders, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(XdgDefaults, WithOnlyHomeSet) {
    const auto& c = GetParam();
    EXPECT_EQ(folders.SpecialFolder(c.shellName), c.underHome.empty() ? "" : home + c.underHome);
}

INSTANTIATE_TEST_SUITE_P(
    Table, XdgDefaults,
    ::testing::Values(
        DefaultCase{"Desktop", "/Desktop"}, DefaultCase{"DESKTOP", "/Desktop"},
        DefaultCase{"MyDocuments", "/Documents"}, DefaultCase{"Templates", "/Templates"},
        DefaultCase{"StartMenu", "/.local/share/applications"},
        DefaultCase{"Programs", "/.local/share/applications"},
        DefaultCase{"Startup", "/.config/autostart"}, DefaultCase{"AppData", "/.local/share"},
        DefaultCase{"Fonts", "/.local/share/fonts"}, DefaultCase{"AllUsersDesktop", ""},
        DefaultCase{"AllUsersStartMenu", ""}, DefaultCase{"AllUsersPrograms", ""},
        DefaultCase{"AllUsersStartup", ""}, DefaultCase{"Favorites", ""},
        DefaultCase{"NetHood", ""}, DefaultCase{"PrintHood", ""}, DefaultCase{"Recent", ""},
        DefaultCase{"SendTo", ""}, DefaultCase{"MyPictures", ""}));

TEST_F(XdgFolders, BaseFoldersComeFromTheirVariablesWhenAbsolute) {
    environment.values["XDG_DATA_HOME"] = "/data/";
    environment.values["XDG_CONFIG_HOME"] = "/conf";
    EXPECT_EQ(folders.SpecialFolder("StartMenu"), "/data/applications");
    EXPECT_EQ(folders.SpecialFolder("Startup"), "/conf/autostart");
    environment.values["XDG_DATA_HOME"] = "relative/data";
    environment.values["XDG_CONFIG_HOME"] = "";
    EXPECT_EQ(folders.SpecialFolder("StartMenu"), home + "/.local/share/applications");
    EXPECT_EQ(folders.SpecialFolder("Startup"), home + "/.config/autostart");
}

TEST_F(XdgFolders, UserFoldersComeFromUserDirs) {
    UserDirs(
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
        "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n"
        "XDG_TEMPLATES_DIR=\"$HOME/Mod\\\"\\$les\"\n");
    EXPECT_EQ(folders.SpecialFolder("Desktop"), home + "/Bureau");
    EXPECT_EQ(folders.SpecialFolder("MyDocuments"), "/srv/docs");
    EXPECT_EQ(folders.SpecialFolder("Templates"), home + "/Mod\"$les");
}

TEST_F(XdgFolders, UserDirsUnderXdgConfigHomeLastValidLineCounts) {
    environment.values["XDG_CONFIG_HOME"] = files.NativeText("conf");
    files.Write("conf/user-dirs.dirs",
                "XDG_DESKTOP_DIR=relative/Desk\n"
                "XDG_DESKTOP_DIR=\"Desk\"\n"
                "XDG_DESKTOP_DIR=\"$HOME/unclosed\n"
                "XDG_DOCUMENTS_DIR=\"$HOME/Old\"\n"
                "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(folders.SpecialFolder("Desktop"), home + "/Desktop");
    EXPECT_EQ(folders.SpecialFolder("MyDocuments"), home + "/Docs") << "the last one counts";
}

TEST_F(XdgFolders, SharedMenuFoldersCountOnlyWhenTheUserCanWriteThem) {
    files.MakeFolder("share/applications");
    files.MakeFolder("etc/autostart");
    const std::string applications = files.NativeText("share/applications");
    const std::string autostart = files.NativeText("etc/autostart");
    EXPECT_EQ(folders.SpecialFolder("AllUsersStartMenu"), applications);
    EXPECT_EQ(folders.SpecialFolder("AllUsersPrograms"), applications);
    EXPECT_EQ(folders.SpecialFolder("AllUsersStartup"), autostart);

    readOnly = {applications, autostart};
    EXPECT_EQ(folders.SpecialFolder("AllUsersStartMenu"), "");
    EXPECT_EQ(folders.SpecialFolder("AllUsersStartup"), "");
    // So the user's own folders stand in where a fallback is described.
    EXPECT_EQ(mSpecialFolders::GetSpecialFolder(folders, "allusersstartmenu"),
              home + "/.local/share/applications");
    EXPECT_EQ(mSpecialFolders::GetSpecialFolder(folders, "allusersdesktop"), home + "/Desktop");
    EXPECT_EQ(mSpecialFolders::GetSpecialFolder(folders, "allusersstartup"), "");
}

TEST_F(XdgFolders, QuickLaunchNeedsAVisibleFileInTheFolder) {
    const std::string quick = "home/.local/share/Microsoft/Internet Explorer/Quick Launch";
    files.MakeFolder(quick + "/sub");
    files.Write(quick + "/.hidden");
    EXPECT_EQ(mSpecialFolders::GetSpecialFolder(folders, "quicklaunch"), "");
    files.Write(quick + "/Marvok.desktop");
    EXPECT_EQ(test::ComparablePath(mSpecialFolders::GetSpecialFolder(folders, "quicklaunch")),
              test::ComparablePath(files.Folder(quick)));
}

struct ExpandCase {
    std::string text;
    std::string expected;
};

void PrintTo(const ExpandCase& c, std::ostream* os) {
    *os << "[" << c.text << "]";
}

class PercentReferences : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(PercentReferences, ExpandAsWindowsDoes) {
    FakeEnvironment environment;
    environment.values = {{"HOME", "/home/me"}, {"EMPTY", ""}, {"A", "x"}};
    EXPECT_EQ(platform::ExpandPercentReferences(GetParam().text, environment), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PercentReferences,
    ::testing::Values(ExpandCase{"%HOME%/Desktop", "/home/me/Desktop"}, ExpandCase{"%A%%A%", "xx"},
                      ExpandCase{"[%EMPTY%]", "[]"}, ExpandCase{"%UNDEFINED%\\a", "%UNDEFINED%\\a"},
                      ExpandCase{"%UNDEFINED%HOME%", "%UNDEFINED/home/me"},
                      ExpandCase{"100%", "100%"}, ExpandCase{"50% of %A%", "50% of x"},
                      ExpandCase{"%%", "%%"}, ExpandCase{"%home%", "%home%"},
                      ExpandCase{"no references", "no references"}));

}  // namespace
}  // namespace marvok
