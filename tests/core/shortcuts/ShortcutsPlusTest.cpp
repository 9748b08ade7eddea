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

    void WithSharedFolders() {
        folders->Set("AllUsersDesktop", files.MakeFolder("Public\\Desktop"));
        folders->Set("AllUsersStartMenu", files.MakeFolder("All Users\\Start Menu"));
    }

    bool Checked(int index) {
        return session.controls.Checked(ControlName("menuShortcuts", index));
    }
    std::array<bool, 3> Marks() { return {Checked(1), Checked(2), Checked(3)}; }

    test::ShortcutFolder files;
    std::shared_ptr<test::FakeShellFolders> folders;
    std::shared_ptr<platform::ShellLinks> links;
    ShellServices shell;
    std::string link;  // Marvok.lnk, Marvok.desktop
};

TEST_F(ShortcutsPlusTest, DesktopItemMakesTheShortcutThenRemovesIt) {
    WithSharedFolders();
    mShortcutsPlus::ToggleProgramShortcut(session, 1, shell);
    ASSERT_TRUE(files.Exists("Public\\Desktop\\" + link));
    EXPECT_FALSE(files.Exists("Me\\Desktop\\" + link));
    EXPECT_EQ(Marks(), (std::array{true, false, false}));

    mShortcutsPlus::ToggleProgramShortcut(session, 1, shell);
    EXPECT_FALSE(files.Exists("Public\\Desktop\\" + link));
    EXPECT_EQ(Marks(), (std::array{false, false, false}));
}

TEST_F(ShortcutsPlusTest, TheProgramShortcutStartsTheProgramInTheGameFolder) {
    WithSharedFolders();
    mShortcutsPlus::ChangeProgramShortcut(session, 2, shell);
    const auto made = links->Load(files.Folder("All Users\\Start Menu\\" + link));
    ASSERT_TRUE(made.has_value());
    const std::string target = game.Folder() + "\\" + platform::ExecutableName();
    EXPECT_EQ(ComparablePath(made->targetPath), ComparablePath(target));
    EXPECT_EQ(made->arguments, "");
    EXPECT_EQ(made->description, "Shortcut to Marvok");
    EXPECT_EQ(ComparablePath(made->workingDirectory), ComparablePath(game.Folder()));
    EXPECT_EQ(ComparablePath(platform::SplitIconLocation(made->iconLocation).path),
              ComparablePath(target));
    EXPECT_EQ(Marks(), (std::array{false, true, false}));
}

TEST_F(ShortcutsPlusTest, WithoutSharedFoldersTheUsersOwnAreUsed) {
    mShortcutsPlus::ToggleProgramShortcut(session, 1, shell);
    mShortcutsPlus::ToggleProgramShortcut(session, 2, shell);
    EXPECT_TRUE(files.Exists("Me\\Desktop\\" + link));
    EXPECT_TRUE(files.Exists("Me\\Start Menu\\" + link));
    EXPECT_EQ(Marks(), (std::array{true, true, false}));

    mShortcutsPlus::ToggleProgramShortcut(session, 2, shell);
    EXPECT_FALSE(files.Exists("Me\\Start Menu\\" + link));
    EXPECT_TRUE(files.Exists("Me\\Desktop\\" + link));
    EXPECT_EQ(Marks(), (std::array{true, false, false}));
}

TEST_F(ShortcutsPlusTest, SendToShowsAShortcutMadeByHandAndDoesNothing) {
    cShortcut(shell).CreateShortcutAt(files.Folder("Me\\SendTo"), "Marvok", "C:\\elsewhere.exe");
    EXPECT_FALSE(mShortcutsPlus::CheckProgramShortcuts(session, "all", shell));
    EXPECT_EQ(Marks(), (std::array{false, false, true}));

    mShortcutsPlus::ToggleProgramShortcut(session, 3, shell);
    EXPECT_EQ(files.Names("Me\\SendTo"), std::vector<std::string>{link});
    EXPECT_EQ(files.Names("Me\\Desktop"), std::vector<std::string>{});
    EXPECT_EQ(Marks(), (std::array{false, false, true}));
}

TEST_F(ShortcutsPlusTest, CheckAnswersForTheNamedItemAndSetsOnlyItsMark) {
    mShortcutsPlus::ChangeProgramShortcut(session, 0, shell);
    mShortcutsPlus::ChangeProgramShortcut(session, 2, shell);
    session.controls.SetChecked("menuShortcuts_1", false);
    session.controls.SetChecked("menuShortcuts_2", false);

    EXPECT_TRUE(mShortcutsPlus::CheckProgramShortcuts(session, "startmenu", shell));
    EXPECT_EQ(Marks(), (std::array{false, true, false}));
    EXPECT_FALSE(mShortcutsPlus::CheckProgramShortcuts(session, "sendto", shell));
    // The word is compared exactly: nothing is checked for another spelling.
    EXPECT_FALSE(mShortcutsPlus::CheckProgramShortcuts(session, "Desktop", shell));
    EXPECT_EQ(Marks(), (std::array{false, true, false}));
    EXPECT_FALSE(mShortcutsPlus::CheckProgramShortcuts(session, "all", shell));
    EXPECT_EQ(Marks(), (std::array{true, true, false}));
}

TEST_F(ShortcutsPlusTest, AFolderTheMachineLacksHoldsNoShortcut) {
    // Without a Send To folder, the desktop's shortcut must not show as "Send to".
    folders->Set("SendTo", "");
    mShortcutsPlus::ChangeProgramShortcut(session, 0, shell);
    EXPECT_EQ(Marks(), (std::array{true, false, false}));
}

TEST_F(ShortcutsPlusTest, AFailedChangeLeavesTheMarksAsTheyWere) {
    files.Write("Blocked", "a file where a folder should be");
    folders->Set("Desktop", files.Folder("Blocked\\Desktop"));
    session.controls.SetChecked("menuShortcuts_3", true);
    mShortcutsPlus::ChangeProgramShortcut(session, 0, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, true}));

    folders->Set("Desktop", "");
    mShortcutsPlus::ChangeProgramShortcut(session, 0, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, true}));
}

TEST_F(ShortcutsPlusTest, ActionFourAndRemovingWhatIsMissingOnlyRefresh) {
    session.controls.SetChecked("menuShortcuts_1", true);
    mShortcutsPlus::ChangeProgramShortcut(session, 4, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, false}));
    session.controls.SetChecked("menuShortcuts_2", true);
    mShortcutsPlus::ChangeProgramShortcut(session, 3, shell);
    EXPECT_EQ(Marks(), (std::array{false, false, false}));
    EXPECT_EQ(files.Names("Me\\Start Menu"), std::vector<std::string>{});
}

class ListShortcutTest : public ShortcutsPlusTest {
  protected:
    // Opens the list shortcut the way its launcher does and reads the command line back.
    void ExpectInstalls(const std::string& linkName, const std::string& file) {
        const std::string path = files.Folder("Me\\Desktop\\" + linkName);
        const auto made = links->Load(path);
        ASSERT_TRUE(made.has_value()) << linkName;
        EXPECT_EQ(made->description, "RAD Odevovi");
        EXPECT_EQ(ComparablePath(made->targetPath),
                  ComparablePath(game.Folder() + "\\" + platform::ExecutableName()));
        EXPECT_EQ(ComparablePath(made->workingDirectory), ComparablePath(game.Folder()));
        std::string op;
        std::string parsed;
        EXPECT_TRUE(
            mCommandLine::ParseCommandLine(session, test::LaunchInput(path, *made), op, parsed));
        EXPECT_EQ(op, "install");
        EXPECT_EQ(parsed, file);
    }
};

TEST_F(ListShortcutTest, IsNamedAfterTheFileInLowerCaseAndInstallsIt) {
    files.Write("Pod Lists\\My Race.INI", "1\r\na.pod\r\n");
    const std::string file = files.Folder("Pod Lists\\My Race.INI");
    EXPECT_EQ(mShortcutsPlus::CreateListShortcut(session, file, shell), "");
    EXPECT_EQ(files.Names("Me\\Desktop"),
              std::vector<std::string>{"my race.ini" + std::string(links->Suffix())});
    ExpectInstalls("my race.ini" + std::string(links->Suffix()), file);
}

TEST_F(ListShortcutTest, NonAsciiDollarAndPercentInTheFileSurvive) {
    const std::string relative = "$Listes 100%\\Été $x.ini";
    files.Write(relative, "0\r\n");
    const std::string file = files.Folder(relative);
    mShortcutsPlus::CreateListShortcut(session, file, shell);
    ExpectInstalls("été $x.ini" + std::string(links->Suffix()), file);
}

TEST_F(ListShortcutTest, ASecondListOfTheSameNameReplacesTheFirst) {
    files.Write("A\\race.ini", "0\r\n");
    files.Write("B\\Race.ini", "0\r\n");
    mShortcutsPlus::CreateListShortcut(session, files.Folder("A\\race.ini"), shell);
    mShortcutsPlus::CreateListShortcut(session, files.Folder("B\\Race.ini"), shell);
    const std::string name = "race.ini" + std::string(links->Suffix());
    EXPECT_EQ(files.Names("Me\\Desktop"), std::vector<std::string>{name});
    ExpectInstalls(name, files.Folder("B\\Race.ini"));
}

TEST_F(ListShortcutTest, ForwardSlashesAlsoEndTheFolderPart) {
    mShortcutsPlus::CreateListShortcut(session, "C:/Lists/Race.ini", shell);
    EXPECT_EQ(files.Names("Me\\Desktop"),
              std::vector<std::string>{"race.ini" + std::string(links->Suffix())});
}

TEST_F(ListShortcutTest, ADesktopThatCannotTakeItSaysWhy) {
    files.Write("Blocked", "a file where the desktop should be");
    for (const std::string& desktop :
         {files.Folder("Blocked"), files.Folder("Blocked\\Desktop"), std::string()}) {
        folders->Set("Desktop", desktop);
        EXPECT_NE(mShortcutsPlus::CreateListShortcut(session, "C:\\Lists\\race.ini", shell), "")
            << desktop;
    }
    EXPECT_EQ(files.Names(""), (std::vector<std::string>{"Blocked", "Me"}));
}

}  // namespace
}  // namespace marvok
