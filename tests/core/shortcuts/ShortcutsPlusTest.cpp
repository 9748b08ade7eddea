// The program's own shortcuts (the Shortcuts menu) and the pod list shortcuts on the desktop.

#include <gtest/gtest.h>

#include <memory>

#include "app/mCommandLine.h"
#include "shell/mShortcutsPlus.h"
#include "support/FakeShellFolders.h"
#include "support/SessionFixture.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

using test::ComparablePath;
using namespace mShortcutsPlus;

class ShortcutsPlusTest : public test::SessionFixture {
  protected:
    ShortcutsPlusTest()
        : folders(std::make_shared<test::FakeShellFolders>()),
          links(platform::CreateShellLinks()),
          shell{folders, links},
          link(std::string(kAppTitle) + std::string(links->Suffix())) {
        folders->Set("Desktop", files.MakeFolder("Me\\Desktop"));
        folders->Set("StartMenu", files.MakeFolder("Me\\Start Menu"));
        folders->Set("SendTo", files.MakeFolder("Me\\SendTo"));
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
        EXPECT_EQ(ComparablePath(made->targetPath), ComparablePath(target));
        EXPECT_EQ(made->description, description);
        EXPECT_EQ(ComparablePath(made->workingDirectory), ComparablePath(game.Folder()));
        EXPECT_EQ(ComparablePath(platform::SplitIconLocation(made->iconLocation).path),
                  ComparablePath(target));
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
    std::string link;  // Marvok.lnk, Marvok.desktop
};

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
    const std::string suffix(links->Suffix());
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

    // A second list of the same name replaces the first; "/" also ends the folder part.
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
