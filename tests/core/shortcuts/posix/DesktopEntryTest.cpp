#include <gtest/gtest.h>

#include "platform/posix/DesktopEntry.h"

namespace marvok {
namespace {

namespace desktop = platform::desktop;
using Arguments = std::vector<std::string>;

struct QuoteCase {
    std::string argument;
    std::string exec;  // in the Exec line, after the value escapes
};

void PrintTo(const QuoteCase& c, std::ostream* os) {
    *os << "[" << c.argument << "]";
}

class ExecQuoting : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(ExecQuoting, WritesTheArgumentAsTheDesktopEntryRulesSay) {
    const auto& c = GetParam();
    EXPECT_EQ(desktop::EscapeValue(desktop::QuoteExecArgument(c.argument)), c.exec);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExecQuoting,
    ::testing::Values(QuoteCase{"/usr/games/marvok", "/usr/games/marvok"}, QuoteCase{"/i", "/i"},
                      QuoteCase{"", "\"\""}, QuoteCase{"My Race.ini", "\"My Race.ini\""},
                      QuoteCase{"100%", "100%%"}, QuoteCase{"a b%", "\"a b%%\""},
                      // $ and \ get one escape for the quoting and one for the value.
                      QuoteCase{"$HOME", "\"\\\\$HOME\""},
                      QuoteCase{"C:\\Pod Lists", "\"C:\\\\\\\\Pod Lists\""},
                      QuoteCase{"say \"hi\"", "\"say \\\\\"hi\\\\\"\""},
                      QuoteCase{"tick`", "\"tick\\\\`\""}, QuoteCase{"it's", "\"it's\""},
                      QuoteCase{"a;b", "\"a;b\""}, QuoteCase{"~/x", "\"~/x\""},
                      QuoteCase{"*?#()<>|&", "\"*?#()<>|&\""}, QuoteCase{"dérapage", "dérapage"},
                      QuoteCase{"line\nbreak", "\"line\\nbreak\""}));

class ExecRoundTrip : public ::testing::TestWithParam<Arguments> {};

TEST_P(ExecRoundTrip, ALauncherGivesBackItsArguments) {
    desktop::Launcher launcher;
    launcher.name = "race.ini";
    launcher.exec = GetParam();
    const auto keys = desktop::ReadDesktopEntry(desktop::ComposeLauncher(launcher));
    ASSERT_EQ(keys.count("Exec"), 1u);
    EXPECT_EQ(desktop::ParseExec(keys.at("Exec")), std::optional(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExecRoundTrip,
    ::testing::Values(Arguments{"/game/marvok"},
                      Arguments{"/My Games/MTM2/marvok", "/i", "/Pod Lists/My Race.INI"},
                      Arguments{"/a$b/marvok", "$HOME", "%HOME%", "100%", "%f"},
                      Arguments{"/x", "back\\slash", "\\\\server\\share", "trail\\"},
                      Arguments{"/x", "", "\"quoted\"", "`cmd`", "tab\there", "Été"},
                      Arguments{"/x", " lead", "two  blanks", "new\nline"}));

TEST(DesktopEntryFile, KeysOfTheEntryGroupOnly) {
    const auto keys = desktop::ReadDesktopEntry(
        "# comment\r\n[Desktop Entry]\r\nName = Marvok\r\nExec=marvok\r\nName=second\r\n"
        "Name[fr]=Marvok fr\r\n\r\n[Desktop Action New]\r\nExec=other\r\n");
    EXPECT_EQ(keys.at("Name"), "Marvok");
    EXPECT_EQ(keys.at("Exec"), "marvok");
    EXPECT_EQ(keys.count("Name[fr]"), 1u);
    EXPECT_EQ(desktop::UnescapeValue("\\sa\\tb\\\\c\\;d"), " a\tb\\c\\;d");
}

TEST(ExecParsing, FieldCodesAreDroppedAndOpenQuotesRefused) {
    EXPECT_EQ(desktop::ParseExec("marvok %F --x=%u%% \"%U\""),
              std::optional(Arguments{"marvok", "--x=%"}));
    EXPECT_EQ(desktop::ParseExec("marvok \"open"), std::nullopt);
    EXPECT_EQ(desktop::ParseExec("  "), std::optional(Arguments{}));
}

struct SplitCase {
    std::string text;
    Arguments arguments;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << "[" << c.text << "]";
}

class WindowsCommandLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(WindowsCommandLine, SplitsAsAWindowsProgramDoes) {
    EXPECT_EQ(desktop::SplitWindowsCommandLine(GetParam().text), GetParam().arguments);
}

TEST_P(WindowsCommandLine, JoiningGivesTheSameArguments) {
    const Arguments& arguments = GetParam().arguments;
    EXPECT_EQ(desktop::SplitWindowsCommandLine(desktop::JoinWindowsCommandLine(arguments)),
              arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowsCommandLine,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"  \t ", {}},
                      SplitCase{"/i C:\\Pod Lists\\a.ini", {"/i", "C:\\Pod", "Lists\\a.ini"}},
                      SplitCase{"/i \"C:\\Pod Lists\\a.ini\"", {"/i", "C:\\Pod Lists\\a.ini"}},
                      SplitCase{"a\"b c\"d e", {"ab cd", "e"}},
                      SplitCase{"\"C:\\dir\\\\\" x", {"C:\\dir\\", "x"}},
                      SplitCase{"a\\\\\\\"b", {"a\\\"b"}}, SplitCase{"a\\b\\\\c", {"a\\b\\\\c"}},
                      SplitCase{"\"\" x", {"", "x"}},
                      SplitCase{"\"say \"\"hi\"\"\"", {"say \"hi\""}},
                      SplitCase{"\"open end", {"open end"}}));

}  // namespace
}  // namespace marvok
