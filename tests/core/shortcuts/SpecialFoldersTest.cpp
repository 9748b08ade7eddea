// Special folders by their program names, and environment expansion, over a fake shell.

#include <gtest/gtest.h>

#include "shell/mSpecialFolders.h"
#include "support/FakeShellFolders.h"

namespace marvok {
namespace {

using mSpecialFolders::ExpandEnvironment;
using mSpecialFolders::GetSpecialFolder;

TEST(SpecialFolders, EachNameLeadsToItsShellFolderTrimmedAndInAnyLetterCase) {
    constexpr std::string_view kShellNames[] = {
        "AllUsersDesktop", "AllUsersStartMenu", "AllUsersPrograms", "AllUsersStartup", "AppData",
        "Desktop", "Favorites", "Fonts", "MyDocuments", "NetHood", "PrintHood", "Programs",
        "Recent", "SendTo", "StartMenu", "Startup", "Templates"};
    test::FakeShellFolders shell;
    for (auto name : kShellNames) {
        shell.Set(name, "C:\\Folders\\" + std::string(name));
    }
    for (auto name : kShellNames) {
        EXPECT_EQ(GetSpecialFolder(shell, text::LowerCase(name)),
                  "C:\\Folders\\" + std::string(name));
    }
    EXPECT_EQ(GetSpecialFolder(shell, "  DESKTOP  "), "C:\\Folders\\Desktop");
    EXPECT_EQ(GetSpecialFolder(shell, "AllusersStartMenu"), "C:\\Folders\\AllUsersStartMenu");
    for (const char* outside :
         {"mypictures", "", "desk top", "AllUsersDesktop2", "quick launch"}) {
        EXPECT_EQ(GetSpecialFolder(shell, outside), "") << outside;
    }
}

TEST(SpecialFolders, OnlyThreeAllUsersFoldersFallBackToTheUsersOwn) {
    test::FakeShellFolders shell;  // a machine without common folders
    for (auto name : {"Desktop", "StartMenu", "Programs", "Startup"}) {
        shell.Set(name, std::string("C:\\Me\\") + name);
    }
    EXPECT_EQ(GetSpecialFolder(shell, "allusersdesktop"), "C:\\Me\\Desktop");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersstartmenu"), "C:\\Me\\StartMenu");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersprograms"), "C:\\Me\\Programs");
    EXPECT_EQ(GetSpecialFolder(shell, "allusersstartup"), "") << "no fallback for start-up";

    test::FakeShellFolders shared;
    shared.Set("AllUsersDesktop", "C:\\Public\\Desktop");
    EXPECT_EQ(GetSpecialFolder(shared, "desktop"), "");
    EXPECT_EQ(GetSpecialFolder(shared, "allusersdesktop"), "C:\\Public\\Desktop");
}

TEST(SpecialFolders, QuickLaunchIsTheFolderUnderAppDataOnlyWhenItHoldsAFile) {
    const std::string path = "C:\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch";
    test::FakeShellFolders shell;
    shell.foldersWithFiles.insert("\\Microsoft\\Internet Explorer\\Quick Launch");
    EXPECT_EQ(GetSpecialFolder(shell, "quicklaunch"), "") << "no AppData";
    shell.Set("AppData", "C:\\Roaming");
    EXPECT_EQ(GetSpecialFolder(shell, "quicklaunch"), "") << "no ordinary file in it";
    shell.foldersWithFiles.insert(path);
    EXPECT_EQ(GetSpecialFolder(shell, " QuickLaunch "), path);
}

TEST(SpecialFolders, ExpansionIsTrimmedEndsAtANulAndGivesUpOver499Characters) {
    test::FakeShellFolders shell;
    shell.variables["windir"] = "C:\\WINDOWS";
    EXPECT_EQ(ExpandEnvironment(shell, "  %windir%\\notepad.exe  "), "C:\\WINDOWS\\notepad.exe");
    EXPECT_EQ(ExpandEnvironment(shell, "   "), "");
    EXPECT_EQ(ExpandEnvironment(shell, std::string("%windir%\0tail", 13)), "C:\\WINDOWS");
    shell.variables["LONG"] = std::string(489, 'x');
    EXPECT_EQ(ExpandEnvironment(shell, "%LONG%0123456789").size(), 499u);
    EXPECT_EQ(ExpandEnvironment(shell, "%LONG%0123456789A"), "");
    // Characters count, not bytes: 499 two-byte letters still fit, 500 do not.
    std::string letters;
    for (int i = 0; i < 499; ++i) {
        letters += "é";
    }
    EXPECT_EQ(ExpandEnvironment(shell, letters), letters);
    EXPECT_EQ(ExpandEnvironment(shell, letters + "é"), "");
}

}  // namespace
}  // namespace marvok
