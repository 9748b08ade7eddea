// The desktop entry format of Linux launchers: Exec quoting and parsing, and the Windows command
// line rules a list shortcut's arguments follow.

#include <gtest/gtest.h>

#include "platform/posix/DesktopEntry.h"

namespace marvok {
namespace {

namespace desktop = platform::desktop;
using Arguments = std::vector<std::string>;

TEST(DesktopEntry, AnExecArgumentIsQuotedAsTheRulesSay) {
    const std::pair<std::string, std::string> cases[] = {
        {"/usr/games/marvok", "/usr/games/marvok"}, {"/i", "/i"}, {"", "\"\""},
        {"My Race.ini", "\"My Race.ini\""}, {"100%", "100%%"}, {"a b%", "\"a b%%\""},
        // $ and \ get one escape for the quoting and one for the value.
        {"$HOME", "\"\\\\$HOME\""}, {"C:\\Pod Lists", "\"C:\\\\\\\\Pod Lists\""},
        {"say \"hi\"", "\"say \\\\\"hi\\\\\"\""}, {"tick`", "\"tick\\\\`\""},
        {"it's", "\"it's\""}, {"a;b", "\"a;b\""}, {"~/x", "\"~/x\""},
        {"*?#()<>|&", "\"*?#()<>|&\""}, {"dérapage", "dérapage"},
        {"line\nbreak", "\"line\\nbreak\""}};
    for (const auto& [argument, exec] : cases) {
        EXPECT_EQ(desktop::EscapeValue(desktop::QuoteExecArgument(argument)), exec) << argument;
    }
}

TEST(DesktopEntry, ALauncherGivesBackItsArguments) {
    const Arguments cases[] = {{"/game/marvok"},
                               {"/My Games/MTM2/marvok", "/i", "/Pod Lists/My Race.INI"},
                               {"/a$b/marvok", "$HOME", "%HOME%", "100%", "%f"},
                               {"/x", "back\\slash", "\\\\server\\share", "trail\\"},
                               {"/x", "", "\"quoted\"", "`cmd`", "tab\there", "Été"},
                               {"/x", " lead", "two  blanks", "new\nline"}};
    for (const Arguments& arguments : cases) {
        desktop::Launcher launcher;
        launcher.name = "race.ini";
        launcher.exec = arguments;
        const auto keys = desktop::ReadDesktopEntry(desktop::ComposeLauncher(launcher));
        ASSERT_EQ(keys.count("Exec"), 1u);
        EXPECT_EQ(desktop::ParseExec(keys.at("Exec")), std::optional(arguments));
    }
}

TEST(DesktopEntry, KeysOfTheEntryGroupOnlyFieldCodesDroppedOpenQuotesRefused) {
    const auto keys = desktop::ReadDesktopEntry(
        "# comment\r\n[Desktop Entry]\r\nName = Marvok\r\nExec=marvok\r\nName=second\r\n"
        "Name[fr]=Marvok fr\r\n\r\n[Desktop Action New]\r\nExec=other\r\n");
    EXPECT_EQ(keys.at("Name"), "Marvok");
    EXPECT_EQ(keys.at("Exec"), "marvok");
    EXPECT_EQ(keys.count("Name[fr]"), 1u);
    EXPECT_EQ(desktop::UnescapeValue("\\sa\\tb\\\\c\\;d"), " a\tb\\c\\;d");
    EXPECT_EQ(desktop::ParseExec("marvok %F --x=%u%% \"%U\""),
              std::optional(Arguments{"marvok", "--x=%"}));
    EXPECT_EQ(desktop::ParseExec("marvok \"open"), std::nullopt);
    EXPECT_EQ(desktop::ParseExec("  "), std::optional(Arguments{}));
}

TEST(DesktopEntry, AWindowsCommandLineSplitsAsAWindowsProgramDoesAndJoinsBack) {
    const std::pair<std::string, Arguments> cases[] = {
        {"", {}}, {"  \t ", {}}, {"/i C:\\Pod Lists\\a.ini", {"/i", "C:\\Pod", "Lists\\a.ini"}},
        {"/i \"C:\\Pod Lists\\a.ini\"", {"/i", "C:\\Pod Lists\\a.ini"}},
        {"a\"b c\"d e", {"ab cd", "e"}}, {"\"C:\\dir\\\\\" x", {"C:\\dir\\", "x"}},
        {"a\\\\\\\"b", {"a\\\"b"}}, {"a\\b\\\\c", {"a\\b\\\\c"}}, {"\"\" x", {"", "x"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}}, {"\"open end", {"open end"}}};
    for (const auto& [text, arguments] : cases) {
        EXPECT_EQ(desktop::SplitWindowsCommandLine(text), arguments) << text;
        EXPECT_EQ(desktop::SplitWindowsCommandLine(desktop::JoinWindowsCommandLine(arguments)),
                  arguments)
            << text;
    }
}

}  // namespace
}  // namespace marvok
