// The special folders and expansion of a Windows machine, from the system itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "common/Text.h"
#include "shell/mSpecialFolders.h"
#include "support/ShortcutFiles.h"

namespace marvok {
namespace {

using mSpecialFolders::GetSpecialFolder;

std::string Variable(const char* name) {
    return platform::ProcessEnvironment().Get(name).value_or("");
}

// Folder paths compare ignoring case, as Windows names do.
TEST(KnownFolders, LieWhereTheEnvironmentSaysByDefault) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"appdata", "APPDATA", ""}, {"desktop", "USERPROFILE", "\\Desktop"},
        {"allusersdesktop", "PUBLIC", "\\Desktop"},
        {"sendto", "APPDATA", "\\Microsoft\\Windows\\SendTo"},
        {"startmenu", "APPDATA", "\\Microsoft\\Windows\\Start Menu"},
        {"programs", "APPDATA", "\\Microsoft\\Windows\\Start Menu\\Programs"},
        {"allusersstartmenu", "ProgramData", "\\Microsoft\\Windows\\Start Menu"},
        {"fonts", "windir", "\\Fonts"}};
    for (const auto& [name, variable, below] : cases) {
        ASSERT_FALSE(Variable(variable).empty()) << variable;
        EXPECT_EQ(text::LowerCase(GetSpecialFolder(name)),
                  text::LowerCase(Variable(variable) + below));
    }
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
    EXPECT_EQ(GetSpecialFolder("mypictures"), "");
}

TEST(KnownFolders, ExpansionUsesTheProcessEnvironment) {
    EXPECT_EQ(text::LowerCase(mSpecialFolders::ExpandEnvironment("  %windir%\\notepad.exe  ")),
              text::LowerCase(Variable("windir") + "\\notepad.exe"));
    EXPECT_EQ(mSpecialFolders::ExpandEnvironment("%MARVOK_NO_SUCH_VARIABLE%\\x"),
              "%MARVOK_NO_SUCH_VARIABLE%\\x");
    EXPECT_EQ(mSpecialFolders::ExpandEnvironment("100% sure"), "100% sure");
}

}  // namespace
}  // namespace marvok
