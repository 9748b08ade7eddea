// The special folders of a Linux desktop, from the XDG variables and user-dirs.dirs.

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

    test::ShortcutFolder files;
    std::string home;
    FakeEnvironment environment;
    std::set<std::string> readOnly;
    platform::XdgShellFolders folders;
};

TEST_F(XdgFolders, WithOnlyHomeSetTheFoldersLieUnderIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"Desktop", "/Desktop"}, {"DESKTOP", "/Desktop"}, {"MyDocuments", "/Documents"},
        {"Templates", "/Templates"}, {"StartMenu", "/.local/share/applications"},
        {"Programs", "/.local/share/applications"}, {"Startup", "/.config/autostart"},
        {"AppData", "/.local/share"}, {"Fonts", "/.local/share/fonts"}};
    for (const auto& [name, underHome] : cases) {
        EXPECT_EQ(folders.SpecialFolder(name), home + underHome) << name;
    }
    for (const char* none : {"AllUsersDesktop", "AllUsersStartMenu", "AllUsersPrograms",
                             "AllUsersStartup", "Favorites", "NetHood", "PrintHood", "Recent",
                             "SendTo", "MyPictures"}) {
        EXPECT_EQ(folders.SpecialFolder(none), "") << none;
    }
    // The base folders come from their variables only when these are absolute.
    environment.values["XDG_DATA_HOME"] = "/data/";
    environment.values["XDG_CONFIG_HOME"] = "/conf";
    EXPECT_EQ(folders.SpecialFolder("StartMenu"), "/data/applications");
    EXPECT_EQ(folders.SpecialFolder("Startup"), "/conf/autostart");
    environment.values["XDG_DATA_HOME"] = "relative/data";
    environment.values["XDG_CONFIG_HOME"] = "";
    EXPECT_EQ(folders.SpecialFolder("StartMenu"), home + "/.local/share/applications");
    EXPECT_EQ(folders.SpecialFolder("Startup"), home + "/.config/autostart");
}

TEST_F(XdgFolders, UserFoldersComeFromTheLastValidLineOfUserDirs) {
    files.Write("home/.config/user-dirs.dirs",
                "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\nXDG_TEMPLATES_DIR=\"$HOME/Mod\\\"\\$les\"\n");
    EXPECT_EQ(folders.SpecialFolder("Desktop"), home + "/Bureau");
    EXPECT_EQ(folders.SpecialFolder("MyDocuments"), "/srv/docs");
    EXPECT_EQ(folders.SpecialFolder("Templates"), home + "/Mod\"$les");

    environment.values["XDG_CONFIG_HOME"] = files.NativeText("conf");
    files.Write("conf/user-dirs.dirs",
                "XDG_DESKTOP_DIR=relative/Desk\nXDG_DESKTOP_DIR=\"Desk\"\n"
                "XDG_DESKTOP_DIR=\"$HOME/unclosed\nXDG_DOCUMENTS_DIR=\"$HOME/Old\"\n"
                "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(folders.SpecialFolder("Desktop"), home + "/Desktop");
    EXPECT_EQ(folders.SpecialFolder("MyDocuments"), home + "/Docs");
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
    // So the user's own folder stands in (which ones may: the fake shell's tests).
    EXPECT_EQ(mSpecialFolders::GetSpecialFolder(folders, "allusersstartmenu"),
              home + "/.local/share/applications");
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

TEST(PercentReferences, ExpandAsWindowsDoes) {
    FakeEnvironment environment;
    environment.values = {{"HOME", "/home/me"}, {"EMPTY", ""}, {"A", "x"}};
    const std::pair<const char*, const char*> cases[] = {
        {"%HOME%/Desktop", "/home/me/Desktop"}, {"%A%%A%", "xx"}, {"[%EMPTY%]", "[]"},
        {"%UNDEFINED%\\a", "%UNDEFINED%\\a"}, {"%UNDEFINED%HOME%", "%UNDEFINED/home/me"},
        {"100%", "100%"}, {"50% of %A%", "50% of x"}, {"%%", "%%"}, {"%home%", "%home%"},
        {"no references", "no references"}};
    for (const auto& [text, expanded] : cases) {
        EXPECT_EQ(platform::ExpandPercentReferences(text, environment), expanded) << text;
    }
}

}  // namespace
}  // namespace marvok
