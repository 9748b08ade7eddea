// Shortcut files: what is written and read back, where they go, and when one counts as there.

#include <gtest/gtest.h>

#include <algorithm>
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

    platform::ShellLinkProperties Load(std::string_view relative) {
        auto link = links->Load(files.Folder(relative));
        EXPECT_TRUE(link.has_value()) << relative;
        return link.value_or(platform::ShellLinkProperties{});
    }

    test::ShortcutFolder files;
    std::shared_ptr<test::FakeShellFolders> fakeFolders;
    std::shared_ptr<platform::ShellLinks> links;
    cShortcut shortcut;
    std::string suffix;
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
        const auto link = Load("Links\\" + c.name + suffix);
        EXPECT_EQ(ComparablePath(link.targetPath), ComparablePath(target));
        EXPECT_EQ(link.arguments, c.arguments);
        EXPECT_EQ(link.description, c.description);
        EXPECT_EQ(ComparablePath(link.workingDirectory), ComparablePath(workDir));
        const auto icon = platform::SplitIconLocation(link.iconLocation);
        EXPECT_EQ(ComparablePath(icon.path), ComparablePath(target));
        EXPECT_EQ(icon.index, 0);
        names.push_back(c.name + suffix);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(files.Names("Links"), names) << "one file each, no temporary left";
}

TEST_F(ShortcutTest, PathsAreExpandedButNotTheDescriptionAndEmptyTextsStayOut) {
    fakeFolders->variables["GAME"] = files.MakeFolder("Game");
    const std::string folder = files.MakeFolder("Links");
    shortcut.CreateShortcutAt(folder, "expanded", "%GAME%\\marvok.exe", "/i %GAME%\\a.ini",
                              "%GAME% stays", "%GAME%", "%GAME%\\marvok.exe, 0");
    auto link = Load("Links\\expanded" + suffix);
    EXPECT_EQ(ComparablePath(link.targetPath), ComparablePath(files.Folder("Game\\marvok.exe")));
    EXPECT_EQ(link.arguments, "/i " + files.Folder("Game\\a.ini"));
    EXPECT_EQ(link.description, "%GAME% stays");
    EXPECT_EQ(ComparablePath(link.workingDirectory), ComparablePath(files.Folder("Game")));
    EXPECT_EQ(ComparablePath(platform::SplitIconLocation(link.iconLocation).path),
              ComparablePath(files.Folder("Game\\marvok.exe")));

    shortcut.CreateShortcutAt(folder, "bare", files.Folder("bare.exe"));
    link = Load("Links\\bare" + suffix);
    EXPECT_EQ(link.arguments + link.description + link.workingDirectory, "");
    EXPECT_EQ(link.windowStyle, 1);
}

TEST_F(ShortcutTest, GoesToTheNamedSpecialFolderOrIsNotWrittenAtAll) {
    fakeFolders->Set("SendTo", files.MakeFolder("SendTo"));
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
    shortcut.CreateShortcutAt(files.Folder("Desktop"), "Marvok", files.Folder("marvok.exe"));
    EXPECT_TRUE(shortcut.LinkExists("Marvok", ""));
    fakeFolders->Set("Desktop", "");
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
    EXPECT_EQ(files.Read("Desktop\\site.url"), head + "http://example.org\r\n");
    fakeFolders->Set("Desktop", "");
    EXPECT_FALSE(shortcut.URLExists("site"));
    EXPECT_THROW(shortcut.CreateInternetShortcut("site", "example.org", "web"), ShortcutError);
}

}  // namespace
}  // namespace marvok
