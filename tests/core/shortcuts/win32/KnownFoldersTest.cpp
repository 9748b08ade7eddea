#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "shell/Text.h"
#include "shell/mSpecialFolders.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

using mSpecialFolders::GetSpecialFolder;

std::string Variable(const char* name) {
    const auto value = platform::ProcessEnvironment().Get(name);
    return value ? *value : std::string();
}

// Folder paths compare ignoring case, as Windows names do.
std::string Folded(std::string_view path) {
    return text::LowerCase(path);
}

struct KnownCase {
    std::string name;
    std::string variable;  // the folder's parent, from the environment
    std::string below;     // the rest of the default path
};

void PrintTo(const KnownCase& c, std::ostream* os) {
    *os << c.name;
}

class KnownFolders : public ::testing::TestWithParam<KnownCase> {};

TEST_P(KnownFolders, LieWhereTheEnvironmentSaysByDefault) {
    const auto& c = GetParam();
    const std::string base = Variable(c.variable.c_str());
    ASSERT_FALSE(base.empty()) << c.variable;
    const std::string path = GetSpecialFolder(c.name);
    EXPECT_EQ(Folded(path), Folded(base + c.below));
    EXPECT_TRUE(std::filesystem::is_directory(test::PathFromUtf8(path))) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Table, KnownFolders,
    ::testing::Values(
        KnownCase{"appdata", "APPDATA", ""}, KnownCase{"desktop", "USERPROFILE", "\\Desktop"},
        KnownCase{"allusersdesktop", "PUBLIC", "\\Desktop"},
        KnownCase{"sendto", "APPDATA", "\\Microsoft\\Windows\\SendTo"},
        KnownCase{"startmenu", "APPDATA", "\\Microsoft\\Windows\\Start Menu"},
        KnownCase{"programs", "APPDATA", "\\Microsoft\\Windows\\Start Menu\\Programs"},
        KnownCase{"allusersstartmenu", "ProgramData", "\\Microsoft\\Windows\\Start Menu"},
        KnownCase{"fonts", "windir", "\\Fonts"}));

TEST(KnownFolderNames, EveryNameGivesAnExistingFolderOrNothing) {
    for (const char* name :
         {"allusersdesktop", "allusersstartmenu", "allusersprograms", "allusersstartup", "appdata",
          "desktop", "favorites", "fonts", "mydocuments", "nethood", "printhood", "programs",
          "recent", "sendto", "startmenu", "startup", "templates"}) {
        const std::string path = GetSpecialFolder(name);
        if (!path.empty()) {
            EXPECT_TRUE(std::filesystem::is_directory(test::PathFromUtf8(path))) << name;
            EXPECT_NE(path.back(), '\\') << name;
        }
    }
    EXPECT_EQ(GetSpecialFolder(" DeskTop "), GetSpecialFolder("desktop"));
    EXPECT_FALSE(GetSpecialFolder("desktop").empty());
    EXPECT_EQ(GetSpecialFolder("mypictures"), "");
}

TEST(WindowsExpansion, UsesTheProcessEnvironment) {
    EXPECT_EQ(Folded(mSpecialFolders::ExpandEnvironment("  %windir%\\notepad.exe  ")),
              Folded(Variable("windir") + "\\notepad.exe"));
    EXPECT_EQ(mSpecialFolders::ExpandEnvironment("%MARVOK_NO_SUCH_VARIABLE%\\x"),
              "%MARVOK_NO_SUCH_VARIABLE%\\x");
    EXPECT_EQ(mSpecialFolders::ExpandEnvironment("100% sure"), "100% sure");
}

}  // namespace
}  // namespace marvok
