// Shortcut files (what is written and read back, where they go, when one counts as there), the
// program's own shortcuts of the Shortcuts menu, and the pod list shortcuts on the desktop.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/mCommandLine.h"
#include "shell/cShortcut.h"
#include "shell/mShortcutsPlus.h"
#include "support/FakeShellFolders.h"
#include "support/SessionFixture.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

using test::ComparablePath;
using namespace mShortcutsPlus;

// A link's texts on one line, paths compared as the platform does: target|arguments|description|
// folder|icon,index.
std::string Fields(const platform::ShellLinkProperties& l) {
    const auto icon = platform::SplitIconLocation(l.iconLocation);
    return ComparablePath(l.targetPath) + "|" + l.arguments + "|" + l.description + "|" +
           ComparablePath(l.workingDirectory) + "|" + ComparablePath(icon.path) + "," +
           std::to_string(icon.index);
}

class ShortcutTest : public test::SessionFixture {
  protected:
    ShortcutTest()
        : folders(std::make_shared<test::FakeShellFolders>()),
          links(platform::CreateShellLinks()),
          shell{folders, links},
          shortcut(shell),
          suffix(links->Suffix()),
          link(std::string(kAppTitle) + suffix) {
        folders->Set("Desktop", files.MakeFolder("Me\\Desktop"));
        folders->Set("StartMenu", files.MakeFolder("Me\\Start Menu"));
        folders->Set("SendTo", files.MakeFolder("Me\\SendTo"));
    }

    platform::ShellLinkProperties Load(std::string_view relative) {
        auto made = links->Load(files.Folder(relative));
        EXPECT_TRUE(made.has_value()) << relative;
        return made.value_or(platform::ShellLinkProperties{});
    }
    std::array<bool, 3> Marks() {
        std::array<bool, 3> marks{};
        for (int i = 0; i < 3; ++i) {
            marks[i] = session.controls.Checked(ControlName("menuShortcuts", i + 1));
        }
        return marks;
    }
    // Opens the shortcut the way its launcher does: what the program then gets.
    void ExpectStartsTheProgram(const std::string& relative, const std::string& description,
                                const std::string& list) {
        const std::string path = files.Folder(relative);
        const auto made = links->Load(path);
        ASSERT_TRUE(made.has_value()) << relative;
        const std::string target = game.Folder() + "\\" + platform::ExecutableName();
        EXPECT_EQ(Fields(*made),
                  Fields({target, made->arguments, description, game.Folder(), target + ",0"}));
        std::string op;
        std::string parsed;
        EXPECT_EQ(
            mCommandLine::ParseCommandLine(session, test::LaunchInput(path, *made), op, parsed),
            !list.empty());
        EXPECT_EQ(op, list.empty() ? "" : "install");
        EXPECT_EQ(parsed, list);
    }

    test::ShortcutFolder files;
    std::shared_ptr<test::FakeShellFolders> folders;
    std::shared_ptr<platform::ShellLinks> links;
    ShellServices shell;
    cShortcut shortcut;
    std::string suffix;
    std::string link;  // Marvok.lnk, Marvok.desktop
};

TEST_F(ShortcutTest, ReadsBackWhatWasWrittenWhateverThePathsHold) {
    struct Case {
        std::string name, program, arguments, description;
    };
    const Case cases[] = {
        {"Marvok", "Game\\marvok.exe", "", "Shortcut to Marvok"},
        {"my race.ini", "Monster Truck Madness 2\\marvok.exe", "/i C:\\Pod Lists\\My Race.INI",
         "RAD Odevovi"},
        {"quoted", "Game\\marvok.exe", "/i \"C:\\Pod Lists\\My Race.INI\"", "quoted"},
        {"cash$", "$HOME\\a$b\\marvok.exe", "/i $HOME/race.ini", "$5 off"},
        {"100% done", "100% sure\\marvok.exe", "/i %MARVOK_UNDEFINED_VARIABLE%\\50%.ini",
         "50% more"},
        {"dérapage Ü", "Jeux Ça\\mârvok.exe", "/i C:\\Listes\\été.ini", "Raccourci été"}};
    const std::string folder = files.MakeFolder("Links");
    std::vector<std::string> names;
    for (const Case& c : cases) {
        files.Write(c.program, "program");
        const std::string target = files.Folder(c.program);
        const std::string workDir = target.substr(0, target.find_last_of('\\'));
        shortcut.CreateShortcutAt(folder, c.name, target, c.arguments, c.description, workDir,
                                  target + ", 0", 1);
        ASSERT_TRUE(shortcut.LinkExists(c.name, folder)) << c.name;
        EXPECT_EQ(Fields(Load("Links\\" + c.name + suffix)),
                  Fields({target, c.arguments, c.description, workDir, target + ",0"}));
        names.push_back(c.name + suffix);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(files.Names("Links"), names) << "one file each, no temporary left";
}

TEST_F(ShortcutTest, PathsAreExpandedButNotTheDescriptionAndEmptyTextsStayOut) {
    folders->variables["GAME"] = files.MakeFolder("Game");
    const std::string folder = files.MakeFolder("Links");
    shortcut.CreateShortcutAt(folder, "expanded", "%GAME%\\marvok.exe", "/i %GAME%\\a.ini",
                              "%GAME% stays", "%GAME%", "%GAME%\\marvok.exe, 0");
    const std::string exe = files.Folder("Game\\marvok.exe");
    EXPECT_EQ(Fields(Load("Links\\expanded" + suffix)),
              Fields({exe, "/i " + files.Folder("Game\\a.ini"), "%GAME% stays",
                      files.Folder("Game"), exe + ",0"}));

    shortcut.CreateShortcutAt(folder, "bare", files.Folder("bare.exe"));
    const auto made = Load("Links\\bare" + suffix);
    EXPECT_EQ(made.arguments + made.description + made.workingDirectory, "");
    EXPECT_EQ(made.windowStyle, 1);
}

TEST_F(ShortcutTest, GoesToTheNamedSpecialFolderOrIsNotWrittenAtAll) {
    folders->Set("SendTo", files.MakeFolder("SendTo"));
    shortcut.CreateShortcut("Marvok", files.Folder("marvok.exe"), "", "", "", "", " SENDTO ");
    EXPECT_TRUE(files.Exists("SendTo\\Marvok" + suffix));
    // An unknown special folder must not put the link in the root of the current drive.
    EXPECT_THROW(shortcut.CreateShortcut("Marvok", files.Folder("marvok.exe"), "", "", "", "",
                                         "nosuchfolder"),
                 ShortcutError);
    EXPECT_THROW(shortcut.CreateShortcutAt("", "Marvok", files.Folder("marvok.exe")),
                 ShortcutError);
    EXPECT_THROW(shortcut.CreateShortcutAt(files.Folder("SendTo"), "", files.Folder("a.exe")),
                 ShortcutError);
    files.Write("NotAFolder", "file");
    EXPECT_THROW(shortcut.CreateShortcutAt(files.Folder("NotAFolder\\Sub"), "Marvok",
                                           files.Folder("marvok.exe")),
                 ShortcutError);
    // The name is taken by a folder: the rename over it fails after the file was written.
    files.MakeFolder("Links\\Marvok" + suffix);
    EXPECT_THROW(
        shortcut.CreateShortcutAt(files.Folder("Links"), "Marvok", files.Folder("marvok.exe")),
        ShortcutError);
    EXPECT_EQ(files.Names("Links"), std::vector<std::string>{"Marvok" + suffix});
    EXPECT_FALSE(shortcut.LinkExists("Marvok", files.Folder("Links")));
    EXPECT_EQ(files.Names("SendTo"), std::vector<std::string>{"Marvok" + suffix});
}

TEST_F(ShortcutTest, ALinkIsThereUnderItsNameWithOrWithoutTheSuffix) {
    const std::string folder = files.MakeFolder("Links");
    EXPECT_FALSE(shortcut.LinkExists("Marvok"));
    shortcut.CreateShortcutAt(folder, "Marvok", files.Folder("marvok.exe"));
    EXPECT_TRUE(shortcut.LinkExists("Marvok", folder));
    EXPECT_TRUE(shortcut.LinkExists("Marvok" + suffix, folder));
    EXPECT_TRUE(shortcut.LinkExists("Marvok" + text::UpperCase(suffix), folder));
    EXPECT_FALSE(shortcut.LinkExists("Marvok" + suffix + suffix, folder));
    EXPECT_FALSE(shortcut.LinkExists("Marv", folder));
    // The folder is trimmed and may end in a separator; none means the user's desktop.
    EXPECT_TRUE(shortcut.LinkExists("Marvok", "  " + folder + "\\  "));
    EXPECT_TRUE(shortcut.LinkExists("Marvok", folder + "/"));
    shortcut.CreateShortcutAt(files.Folder("Me\\Desktop"), "Marvok", files.Folder("marvok.exe"));
    EXPECT_TRUE(shortcut.LinkExists("Marvok", ""));
    folders->Set("Desktop", "");
    EXPECT_FALSE(shortcut.LinkExists("Marvok"));

    // Hidden files, folders and wildcards are not shortcuts.
    shortcut.CreateShortcutAt(folder, "Other", files.Folder("marvok.exe"));
    EXPECT_FALSE(shortcut.LinkExists("*", folder));
    EXPECT_FALSE(shortcut.LinkExists("Oth?r", folder));
    files.MakeFolder("Links\\Folder" + suffix);
    EXPECT_FALSE(shortcut.LinkExists("Folder", folder));
    const std::string hidden = test::HideFile(files, "Links\\Marvok" + suffix);
    EXPECT_FALSE(shortcut.LinkExists(hidden, folder));
    EXPECT_FALSE(shortcut.LinkExists("Marvok", folder));
}

TEST_F(ShortcutTest, InternetShortcutsNameAFileUrlForTheTypeFileAndHttpForAnyOther) {
    const std::string folder = files.MakeFolder("Urls");
    shortcut.CreateInternetShortcutAt(folder, "local", "C:\\Games\\readme.txt", "FILE");
    shortcut.CreateInternetShortcutAt("  " + folder + "  ", "web", "example.org/mtm2", "http");
    shortcut.CreateInternetShortcutAt(folder, "other", "example.org", "ftp");
    shortcut.CreateInternetShortcutAt(folder, "default", "C:\\x.txt");
    const std::string head = "[InternetShortcut]\r\nURL=";
    EXPECT_EQ(files.Read("Urls\\local.url"), head + "file://C:\\Games\\readme.txt\r\n");
    EXPECT_EQ(files.Read("Urls\\web.url"), head + "http://example.org/mtm2\r\n");
    EXPECT_EQ(files.Read("Urls\\other.url"), head + "http://example.org\r\n");
    EXPECT_EQ(files.Read("Urls\\default.url"), head + "file://C:\\x.txt\r\n");
    EXPECT_THROW(shortcut.CreateInternetShortcutAt("  ", "x", "example.org"), ShortcutError);

    EXPECT_FALSE(shortcut.URLExists("site"));
    shortcut.CreateInternetShortcut("site", "example.org", "web");
    EXPECT_TRUE(shortcut.URLExists("site"));
    EXPECT_TRUE(shortcut.URLExists("site.URL"));
    EXPECT_EQ(files.Read("Me\\Desktop\\site.url"), head + "http://example.org\r\n");
    folders->Set("Desktop", "");
    EXPECT_FALSE(shortcut.URLExists("site"));
    EXPECT_THROW(shortcut.CreateInternetShortcut("site", "example.org", "web"), ShortcutError);
}

using ShortcutsPlusTest = ShortcutTest;

TEST_F(ShortcutsPlusTest, EachItemMakesTheShortcutInTheSharedFolderThenRemovesIt) {
    folders->Set("AllUsersDesktop", files.MakeFolder("Public\\Desktop"));
    folders->Set("AllUsersStartMenu", files.MakeFolder("All Users\\Start Menu"));
    ToggleProgramShortcut(session, 1, shell);
    EXPECT_TRUE(files.Exists("Public\\Desktop\\" + link));
    EXPECT_FALSE(files.Exists("Me\\Desktop\\" + link));
    EXPECT_EQ(Marks(), (std::array{true, false, false}));
    ToggleProgramShortcut(session, 2, shell);
    ExpectStartsTheProgram("All Users\\Start Menu\\" + link, "Shortcut to Marvok", "");
    EXPECT_EQ(Marks(), (std::array{true, true, false}));

    ToggleProgramShortcut(session, 1, shell);
    EXPECT_FALSE(files.Exists("Public\\Desktop\\" + link));
    EXPECT_EQ(Marks(), (std::array{false, true, false}));
    ToggleProgramShortcut(session, 2, shell);
    EXPECT_EQ(files.Names("All Users\\Start Menu"), std::vector<std::string>{});
    EXPECT_EQ(Marks(), (std::array{false, false, false}));
}

TEST_F(ShortcutsPlusTest, ACheckAnswersForTheNamedItemAndSetsOnlyItsMark) {
    // Send To shows a shortcut made by hand, and its item does nothing.
    cShortcut(shell).CreateShortcutAt(files.Folder("Me\\SendTo"), "Marvok", "C:\\elsewhere.exe");
    EXPECT_FALSE(CheckProgramShortcuts(session, "all", shell));
    EXPECT_EQ(Marks(), (std::array{false, false, true}));
    ToggleProgramShortcut(session, 3, shell);
    EXPECT_EQ(files.Names("Me\\SendTo"), std::vector<std::string>{link});
    EXPECT_EQ(files.Names("Me\\Desktop"), std::vector<std::string>{});
    EXPECT_EQ(Marks(), (std::array{false, false, true}));

    ChangeProgramShortcut(session, 0, shell);
    ChangeProgramShortcut(session, 2, shell);
    session.controls.SetChecked("menuShortcuts_1", false);
    session.controls.SetChecked("menuShortcuts_2", false);
    EXPECT_TRUE(CheckProgramShortcuts(session, "startmenu", shell));
    EXPECT_EQ(Marks(), (std::array{false, true, true}));
    // The word is compared exactly: nothing is checked for another spelling.
    EXPECT_FALSE(CheckProgramShortcuts(session, "Desktop", shell));
    EXPECT_EQ(Marks(), (std::array{false, true, true}));
    EXPECT_TRUE(CheckProgramShortcuts(session, "sendto", shell));
    EXPECT_FALSE(CheckProgramShortcuts(session, "all", shell));
    EXPECT_EQ(Marks(), (std::array{true, true, true}));
    // Without a Send To folder, the desktop's shortcut must not show as "Send to".
    folders->Set("SendTo", "");
    CheckProgramShortcuts(session, "all", shell);
    EXPECT_EQ(Marks(), (std::array{true, true, false}));
}

TEST_F(ShortcutsPlusTest, AFailedChangeLeavesTheMarksAndActionFourOnlyRefreshes) {
    files.Write("Blocked", "a file where a folder should be");
    folders->Set("Desktop", files.Folder("Blocked\\Desktop"));
    session.controls.SetChecked("menuShortcuts_3", true);
    ChangeProgramShortcut(session, 0, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, true}));
    folders->Set("Desktop", "");
    ChangeProgramShortcut(session, 0, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, true}));

    folders->Set("Desktop", files.Folder("Me\\Desktop"));
    ChangeProgramShortcut(session, 4, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, false}));
    // Removing what is not there only refreshes too; an unknown action does nothing at all.
    session.controls.SetChecked("menuShortcuts_2", true);
    ChangeProgramShortcut(session, 3, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, false}));
    session.controls.SetChecked("menuShortcuts_2", true);
    ChangeProgramShortcut(session, 5, shell);
    EXPECT_EQ(Marks(), (std::array{false, true, false}));
    EXPECT_EQ(files.Names("Me\\Start Menu"), std::vector<std::string>{});
}

TEST_F(ShortcutsPlusTest, AListShortcutIsNamedAfterTheFileInLowerCaseAndInstallsIt) {
    for (const char* relative : {"Pod Lists\\My Race.INI", "$Listes 100%\\Été $x.ini"}) {
        files.Write(relative, "1\r\na.pod\r\n");
        EXPECT_EQ(CreateListShortcut(session, files.Folder(relative), shell), "");
    }
    EXPECT_EQ(files.Names("Me\\Desktop"),
              (std::vector<std::string>{"my race.ini" + suffix, "été $x.ini" + suffix}));
    ExpectStartsTheProgram("Me\\Desktop\\my race.ini" + suffix, "RAD Odevovi",
                           files.Folder("Pod Lists\\My Race.INI"));
    ExpectStartsTheProgram("Me\\Desktop\\été $x.ini" + suffix, "RAD Odevovi",
                           files.Folder("$Listes 100%\\Été $x.ini"));

    // A second list of the same name replaces the first; "/" also ends the folder name.
    files.Write("B\\My race.ini", "0\r\n");
    CreateListShortcut(session, files.Folder("B\\My race.ini"), shell);
    CreateListShortcut(session, "C:/Lists/Race.ini", shell);
    EXPECT_EQ(files.Names("Me\\Desktop"),
              (std::vector<std::string>{"my race.ini" + suffix, "race.ini" + suffix,
                                        "été $x.ini" + suffix}));
    ExpectStartsTheProgram("Me\\Desktop\\my race.ini" + suffix, "RAD Odevovi",
                           files.Folder("B\\My race.ini"));
}

TEST_F(ShortcutsPlusTest, ADesktopThatCannotTakeAListShortcutSaysWhy) {
    files.Write("Blocked", "a file where the desktop should be");
    for (const std::string& desktop :
         {files.Folder("Blocked"), files.Folder("Blocked\\Desktop"), std::string()}) {
        folders->Set("Desktop", desktop);
        EXPECT_NE(CreateListShortcut(session, "C:\\Lists\\race.ini", shell), "") << desktop;
    }
    EXPECT_EQ(files.Names(""), (std::vector<std::string>{"Blocked", "Me"}));
}

}  // namespace
}  // namespace marvok
