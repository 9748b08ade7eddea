#include <gtest/gtest.h>

#include "shell/mSpecialFolders.h"
#include "support/FakeShellFolders.h"

namespace marvok {
namespace {

using mSpecialFolders::ExpandEnvironment;
using mSpecialFolders::GetSpecialFolder;

// Every shell name a fake machine with all folders answers, each with a path of its own.
constexpr std::string_view kShellNames[] = {"AllUsersDesktop",  "AllUsersStartMenu",
                                            "AllUsersPrograms", "AllUsersStartup",
                                            "AppData",          "Desktop",
                                            "Favorites",        "Fonts",
                                            "MyDocuments",      "NetHood",
                                            "PrintHood",        "Programs",
                                            "Recent",           "SendTo",
                                            "StartMenu",        "Startup",
                                            "Templates"};

struct FolderCase {
    std::string name;
    std::string expected;  // the path the fake shell gives, or empty
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << "\"" << c.name << "\"";
}

class FullMachine : public ::testing::TestWithParam<FolderCase> {
  protected:
    FullMachine() {
        for (auto name : kShellNames) {
            shell.Set(name, "C:\\Folders\\" + std::string(name));
        }
    }
    test::FakeShellFolders shell;
};

TEST_P(FullMachine, NameLeadsToItsShellFolder) {
    EXPECT_EQ(GetSpecialFolder(shell, GetParam().name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FullMachine,
    ::testing::Values(FolderCase{"allusersdesktop", "C:\\Folders\\AllUsersDesktop"},
                      FolderCase{"allusersstartmenu", "C:\\Folders\\AllUsersStartMenu"},
                      FolderCase{"allusersprograms", "C:\\Folders\\AllUsersPrograms"},
                      FolderCase{"allusersstartup", "C:\\Folders\\AllUsersStartup"},
                      FolderCase{"appdata", "C:\\Folders\\AppData"},
                      FolderCase{"desktop", "C:\\Folders\\Desktop"},
                      FolderCase{"favorites", "C:\\Folders\\Favorites"},
                      FolderCase{"fonts", "C:\\Folders\\Fonts"},
                      FolderCase{"mydocuments", "C:\\Folders\\MyDocuments"},
                      FolderCase{"nethood", "C:\\Folders\\NetHood"},
                      FolderCase{"printhood", "C:\\Folders\\PrintHood"},
                      FolderCase{"programs", "C:\\Folders\\Programs"},
                      FolderCase{"recent", "C:\\Folders\\Recent"},
                      FolderCase{"sendto", "C:\\Folders\\SendTo"},
                      FolderCase{"startmenu", "C:\\Folders\\StartMenu"},
                      FolderCase{"startup", "C:\\Folders\\Startup"},
                      FolderCase{"templates", "C:\\Folders\\Templates"},
                      // Trimmed and in any letter case.
                      FolderCase{"  Desktop  ", "C:\\Folders\\Desktop"},
                      FolderCase{"DESKTOP", "C:\\Folders\\Desktop"},
                      FolderCase{"AllusersStartMenu", "C:\\Folders\\AllUsersStartMenu"},
                      // Names outside the table.
                      FolderCase{"mypictures", ""}, FolderCase{"", ""}, FolderCase{"desk top", ""},
                      FolderCase{"AllUsersDesktop2", ""}, FolderCase{"quick launch", ""}));

TEST(SpecialFolderFallbacks, AllUsersFoldersFallBackToTheUsersOwn) {
    test::FakeShellFolders shell;  // a machine without common folders
    for (auto name : {"Desktop", "StartMenu", "Programs", "Startup"}) {
        shell.Set(name, std::string("C:\\Me\\") + name);
    }
    EXPECT_EQ(GetSpecialFolder(shell, "allusersdesktop"), "C:\\Me\\Desktop");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersstartmenu"), "C:\\Me\\StartMenu");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersprograms"), "C:\\Me\\Programs");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersstartup"), "") << "no fallback for start-up";
}

TEST(SpecialFolderFallbacks, OnlyTheAllUsersNamesFallBack) {
    test::FakeShellFolders shell;
    shell.Set("AllUsersDesktop", "C:\\Public\\Desktop");
    shell.Set("AllUsersStartMenu", "C:\\Public\\StartMenu");
    EXPECT_EQ(GetSpecialFolder(shell, "desktop"), "");
    EXPECT_EQ(GetSpecialFolder(shell, "startmenu"), "");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersdesktop"), "C:\\Public\\Desktop");
}

class QuickLaunch : public ::testing::Test {
  protected:
    static constexpr const char* kPath = "C:\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";
    test::FakeShellFolders shell;
};

TEST_F(QuickLaunch, IsTheFolderUnderAppDataWhenItHoldsAFile) {
    shell.Set("AppData", "C:\\Roaming");
    shell.foldersWithFiles.insert(kPath);
    EXPECT_EQ(GetSpecialFolder(shell, " QuickLaunch "), kPath);
}

TEST_F(QuickLaunch, WithoutAnOrdinaryFileItCountsAsMissing) {
    shell.Set("AppData", "C:\\Roaming");
    EXPECT_EQ(GetSpecialFolder(shell, "quicklaunch"), "");
}

TEST_F(QuickLaunch, WithoutAppDataItIsMissing) {
    shell.foldersWithFiles.insert("\\Microsoft\\Internet Explorer\\Quick Launch");
    EXPECT_EQ(GetSpecialFolder(shell, "quicklaunch"), "");
}

class Expansion : public ::testing::Test {
  protected:
    Expansion() { shell.variables["windir"] = "C:\\WINDOWS"; }
    test::FakeShellFolders shell;
};

TEST_F(Expansion, TrimsBeforeExpanding) {
    EXPECT_EQ(ExpandEnvironment(shell, "  %windir%\\notepad.exe  "), "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(ExpandEnvironment(shell, "   "), "");
    EXPECT_EQ(ExpandEnvironment(shell, ""), "");
}

TEST_F(Expansion, AResultOverFourHundredNinetyNineCharactersIsEmpty) {
    shell.variables["LONG"] = std::string(489, 'x');
    EXPECT_EQ(ExpandEnvironment(shell, "%LONG%0123456789").size(), 499u);
    EXPECT_EQ(ExpandEnvironment(shell, "%LONG%0123456789A"), "");
    // Characters count, not bytes: 499 two-byte letters still fit.
    std::string letters;
    for (int i = 0; i < 499; ++i) {
        letters += "é";
    }
    EXPECT_EQ(ExpandEnvironment(shell, letters), letters);
}

TEST_F(Expansion, ANulEndsTheText) {
    EXPECT_EQ(ExpandEnvironment(shell, std::string("%windir%\0tail", 13)), "C:\\WINDOWS");
}

}  // namespace
}  // namespace marvok
