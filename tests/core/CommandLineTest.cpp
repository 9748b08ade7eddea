#include <gtest/gtest.h>

#include "app/mCommandLine.h"
#include "support/SessionFixture.h"
#include "support/TestNames.h"

namespace marvok {
namespace {

struct RawCase {
    const char* what;
    std::string text;  // "%G" stands for the game folder
    bool usable;
    const char* op;    // "" when the parser never got to the operator
    std::string file;  // "%G" stands for the game folder
};

class RawCommandLine : public test::SessionFixture, public ::testing::WithParamInterface<RawCase> {
protected:
    std::string Expand(std::string s) {
        const auto at = s.find("%G");
        if (at != std::string::npos) {
            s.replace(at, 2, game.Folder());
        }
        return s;
    }
};

TEST_P(RawCommandLine, IsParsedByTheWindowsRules) {
    game.Write("race.ini", "0\r\n");
    game.Write("Pod Lists\\race.ini", "0\r\n");
    const RawCase& c = GetParam();
    std::string op;
    std::string file;
    EXPECT_EQ(mCommandLine::ParseCommandLine(session, Expand(c.text), op, file), c.usable) << c.what;
    EXPECT_EQ(op, c.op) << c.what;
    EXPECT_EQ(file, Expand(c.file)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RawCommandLine,
    ::testing::Values(
        RawCase{"install, relative", "/install race.ini", true, "install", "race.ini"},
        RawCase{"first letter, any case", "/I race.ini", true, "install", "race.ini"},
        RawCase{"open, blanks in the path", "/open Pod Lists\\race.ini", true, "open",
                "Pod Lists\\race.ini"},
        RawCase{"o is open", "/o race.ini", true, "open", "race.ini"},
        RawCase{"desktop", "/desktop race.ini", true, "desktop", "race.ini"},
        RawCase{"blanks around the file are trimmed", "/i   race.ini   ", true, "install",
                "race.ini"},
        RawCase{"tabs are removed", "/i\t race.ini", true, "install", "race.ini"},
        RawCase{"text before the first slash is ignored", "junk /i race.ini", true, "install",
                "race.ini"},
        RawCase{"unknown operator", "/x race.ini", false, "no operator", ""},
        RawCase{"operator alone", "/open", false, "", ""},
        RawCase{"no slash", "open race.ini", false, "", ""},
        RawCase{"quoted file fails the ending test", "/open \"race.ini\"", false, "open", ""},
        RawCase{"not an ini", "/open race.txt", false, "open", ""},
        RawCase{"missing file", "/install gone.ini", false, "install", "gone.ini"},
        RawCase{"a slash in the path cuts it", "/open lists/race.ini", false, "open", ""},
        RawCase{"empty", "", false, "", ""}),
    [](const auto& param) { return test::CaseName(param.param.what); });

class ArgumentsTest : public test::SessionFixture {};

TEST_F(ArgumentsTest, TheOperatorIsTheFirstArgumentAndTheFileTheRest) {
    game.Write("Pod Lists\\race.ini", "0\r\n");
    game.Write("lists\\a.ini", "0\r\n");
    std::string op;
    std::string file;
    const std::string path = game.Native("Pod Lists\\race.ini").string();
    const auto blank = path.find(' ');
    EXPECT_TRUE(mCommandLine::ParseArguments(
        session, {"/Install", path.substr(0, blank), path.substr(blank + 1)}, op, file));
    EXPECT_EQ(op, "install");
    EXPECT_EQ(file, path);

    // A slash inside the file is kept: paths hold them on Linux.
    file.clear();
    EXPECT_TRUE(mCommandLine::ParseArguments(session, {"/o", game.Native("lists\\a.ini").string()},
                                             op, file));
    EXPECT_EQ(op, "open");
}

TEST_F(ArgumentsTest, TheSameRulesRefuseTheSameMistakes) {
    game.Write("race.ini", "0\r\n");
    std::string op;
    std::string file;
    EXPECT_FALSE(mCommandLine::ParseArguments(session, {"/open"}, op, file));
    EXPECT_FALSE(mCommandLine::ParseArguments(session, {"open", "race.ini"}, op, file));
    EXPECT_FALSE(mCommandLine::ParseArguments(session, {"/x", "race.ini"}, op, file));
    EXPECT_EQ(op, "no operator");
    EXPECT_FALSE(mCommandLine::ParseArguments(session, {"/open", "\"race.ini\""}, op, file));
    EXPECT_TRUE(mCommandLine::ParseArguments(session, {"/i", "race.ini"}, op, file));
}

}  // namespace
}  // namespace marvok
