#include <gtest/gtest.h>

#include <memory>

#include "shell/cShortcut.h"
#include "support/FakeShellFolders.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

using test::ComparablePath;

class ShortcutTest : public ::testing::Test {
  protected:
    ShortcutTest()
        : fakeFolders(std::make_shared<test::FakeShellFolders>()),
          links(platform::CreateShellLinks()),
          shortcut(ShellServices{fakeFolders, links}),
          suffix(links->Suffix()) {
        fakeFolders->Set("Desktop", files.MakeFolder("Desktop"));
    }

    std::optional<platform::ShellLinkProperties> Load(std::string_view relative) {
        return links->Load(files.Folder(relative));
    }

    test::ShortcutFolder files;
    std::shared_ptr<test::FakeShellFolders> fakeFolders;
    std::shared_ptr<platform::ShellLinks> links;
    cShortcut shortcut;
    std::string suffix;
};

struct RoundTrip {
    std::string label;
    std::string name;     // of the shortcut
    std::string program;  // under the test folder
    std::string arguments;
    std::string description;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.label;
}

class ShortcutRoundTrip : public ShortcutTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(ShortcutRoundTrip, ReadsBackWhatWasWritten) {
    const RoundTrip& c = GetParam();
    files.Write(c.program, "program");
    const std::string folder = files.MakeFolder("Links");
    const std::string target = files.Folder(c.program);
    const std::string workDir = target.substr(0, target.find_last_of('\\'));
    shortcut.CreateShortcutAt(folder, c.name, target, c.arguments, c.description, workDir,
                              target + ", 0", 1);

    ASSERT_TRUE(shortcut.LinkExists(c.name, folder));
    EXPECT_EQ(files.Names("Links"), std::vector<std::string>{c.name + suffix})
        << "one file, no temporary left";
    const auto link = Load("Links\\" + c.name + suffix);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ComparablePath(link->targetPath), ComparablePath(target));
    EXPECT_EQ(link->arguments, c.arguments);
    EXPECT_EQ(link->description, c.description);
    EXPECT_EQ(ComparablePath(link->workingDirectory), ComparablePath(workDir));
    const auto icon = platform::SplitIconLocation(link->iconLocation);
    EXPECT_EQ(ComparablePath(icon.path), ComparablePath(target));
    EXPECT_EQ(icon.index, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ShortcutRoundTrip,
    ::testing::Values(RoundTrip{"Plain", "Marvok", "Game\\marvok.exe", "", "Shortcut to Marvok"},
                      RoundTrip{"Spaces", "my race.ini", "Monster Truck Madness 2\\marvok.exe",
                                "/i C:\\Pod Lists\\My Race.INI", "RAD Odevovi"},
                      RoundTrip{"QuotedArgument", "quoted", "Game\\marvok.exe",
                                "/i \"C:\\Pod Lists\\My Race.INI\"", "quoted"},
                      RoundTrip{"Dollar", "cash$", "$HOME\\a$b\\marvok.exe", "/i $HOME/race.ini",
                                "$5 off"},
                      RoundTrip{"Percent", "100% done", "100% sure\\marvok.exe",
                                "/i %MARVOK_UNDEFINED_VARIABLE%\\50%.ini", "50% more"},
                      RoundTrip{"NonAscii", "dérapage Ü", "Jeux Ça\\mârvok.exe",
                                "/i C:\\Listes\\été.ini", "Raccourci été"}));

TEST_F(ShortcutTest, EmptyOptionalTextsLeaveTheLinkWithoutThem) {
    const std::string folder = files.MakeFolder("Links");
    shortcut.CreateShortcutAt(folder, "bare", files.Folder("bare.exe"));
    const auto link = Load("Links\\bare" + suffix);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->arguments, "");
    EXPECT_EQ(link->description, "");
    EXPECT_EQ(link->workingDirectory, "");
    EXPECT_EQ(link->windowStyle, 1);
}

TEST_F(ShortcutTest, PathsAreExpandedButNotTheDescription) {
    fakeFolders->variables["GAME"] = files.MakeFolder("Game");
    const std::string folder = files.MakeFolder("Links");
    shortcut.CreateShortcutAt(folder, "expanded", "%GAME%\\marvok.exe", "/i %GAME%\\a.ini",
                              "%GAME% stays", "%GAME%", "%GAME%\\marvok.exe, 0");
    const auto link = Load("Links\\expanded" + suffix);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(ComparablePath(link->targetPath), ComparablePath(files.Folder("Game\\marvok.exe")));
    EXPECT_EQ(link->arguments, "/i " + files.Folder("Game\\a.ini"));
    EXPECT_EQ(link->description, "%GAME% stays");
    EXPECT_EQ(ComparablePath(link->workingDirectory), ComparablePath(files.Folder("Game")));
    EXPECT_EQ(ComparablePath(platform::SplitIconLocation(link->iconLocation).path),
              ComparablePath(files.Folder("Game\\marvok.exe")));
}

TEST_F(ShortcutTest, CreateShortcutPutsItInTheNamedSpecialFolder) {
    fakeFolders->Set("SendTo", files.MakeFolder("SendTo"));
    shortcut.CreateShortcut("Marvok", files.Folder("marvok.exe"), "", "", "", "", " SENDTO ");
    EXPECT_TRUE(files.Exists("SendTo\\Marvok" + suffix));
}

TEST_F(ShortcutTest, AShortcutThatCannotBeWrittenThrowsAndLeavesNothing) {
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
}

TEST_F(ShortcutTest, WithoutAFolderNothingIsWritten) {
    // An unknown special folder must not put the link in the root of the current drive.
    EXPECT_THROW(shortcut.CreateShortcut("Marvok", files.Folder("marvok.exe"), "", "", "", "",
                                         "nosuchfolder"),
                 ShortcutError);
    EXPECT_THROW(shortcut.CreateShortcutAt("", "Marvok", files.Folder("marvok.exe")),
                 ShortcutError);
}

class LinkExistsTest : public ShortcutTest {
  protected:
    LinkExistsTest() {
        shortcut.CreateShortcutAt(files.MakeFolder("Links"), "Marvok", files.Folder("marvok.exe"));
    }
};

TEST_F(LinkExistsTest, TheSuffixIsAddedOnlyWhenMissingInAnyLetterCase) {
    const std::string folder = files.Folder("Links");
    EXPECT_TRUE(shortcut.LinkExists("Marvok", folder));
    EXPECT_TRUE(shortcut.LinkExists("Marvok" + suffix, folder));
    EXPECT_TRUE(shortcut.LinkExists("Marvok" + text::UpperCase(suffix), folder));
    EXPECT_FALSE(shortcut.LinkExists("Marvok" + suffix + suffix, folder));
    EXPECT_FALSE(shortcut.LinkExists("Marv", folder));
}

TEST_F(LinkExistsTest, TheFolderIsTrimmedAndMayEndInASeparator) {
    EXPECT_TRUE(shortcut.LinkExists("Marvok", "  " + files.Folder("Links") + "\\  "));
    EXPECT_TRUE(shortcut.LinkExists("Marvok", files.Folder("Links") + "\\"));
}

TEST_F(LinkExistsTest, AnEmptyFolderMeansTheUsersDesktop) {
    EXPECT_FALSE(shortcut.LinkExists("Marvok"));
    shortcut.CreateShortcutAt(files.Folder("Desktop"), "Marvok", files.Folder("marvok.exe"));
    EXPECT_TRUE(shortcut.LinkExists("Marvok"));
    EXPECT_TRUE(shortcut.LinkExists("Marvok", ""));
}

TEST_F(LinkExistsTest, HiddenFilesFoldersAndWildcardsAreNotShortcuts) {
    const std::string hidden = test::HideFile(files, "Links\\Marvok" + suffix);
    EXPECT_FALSE(shortcut.LinkExists(hidden, files.Folder("Links")));
    EXPECT_FALSE(shortcut.LinkExists("Marvok", files.Folder("Links")));

    files.MakeFolder("Links\\Folder" + suffix);
    EXPECT_FALSE(shortcut.LinkExists("Folder", files.Folder("Links")));

    shortcut.CreateShortcutAt(files.Folder("Links"), "Other", files.Folder("marvok.exe"));
    EXPECT_FALSE(shortcut.LinkExists("*", files.Folder("Links")));
    EXPECT_FALSE(shortcut.LinkExists("Oth?r", files.Folder("Links")));
}

class InternetShortcutTest : public ShortcutTest {};

TEST_F(InternetShortcutTest, TheTypeFileGivesAFileUrlAnyOtherTypeHttp) {
    const std::string folder = files.MakeFolder("Urls");
    shortcut.CreateInternetShortcutAt(folder, "local", "C:\\Games\\readme.txt", "FILE");
    shortcut.CreateInternetShortcutAt("  " + folder + "  ", "web", "example.org/mtm2", "http");
    shortcut.CreateInternetShortcutAt(folder, "other", "example.org", "ftp");
    shortcut.CreateInternetShortcutAt(folder, "default", "C:\\x.txt");
    EXPECT_EQ(files.Read("Urls\\local.url"),
              "[InternetShortcut]\r\nURL=file://C:\\Games\\readme.txt\r\n");
    EXPECT_EQ(files.Read("Urls\\web.url"), "[InternetShortcut]\r\nURL=http://example.org/mtm2\r\n");
    EXPECT_EQ(files.Read("Urls\\other.url"), "[InternetShortcut]\r\nURL=http://example.org\r\n");
    EXPECT_EQ(files.Read("Urls\\default.url"), "[InternetShortcut]\r\nURL=file://C:\\x.txt\r\n");
}

TEST_F(InternetShortcutTest, OnTheDesktopAndFoundThere) {
    EXPECT_FALSE(shortcut.URLExists("site"));
    shortcut.CreateInternetShortcut("site", "example.org", "web");
    EXPECT_TRUE(shortcut.URLExists("site"));
    EXPECT_TRUE(shortcut.URLExists("site.URL"));
    EXPECT_EQ(files.Read("Desktop\\site.url"), "[InternetShortcut]\r\nURL=http://example.org\r\n");
}

}  // namespace
}  // namespace marvok
