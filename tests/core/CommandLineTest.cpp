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
        RawCase{"not an ini", "/open race.txt", false, "open", ""},
        RawCase{"missing file", "/install gone.ini", false, "install", "gone.ini"},
        // As a user or a script types it at a Windows prompt.
        RawCase{"quoted file", "/open \"race.ini\"", true, "open", "race.ini"},
        RawCase{"quoted, blanks in the path", "/i  \"Pod Lists\\race.ini\" ", true, "install",
                "Pod Lists\\race.ini"},
        RawCase{"forward slashes", "/open Pod Lists/race.ini", true, "open", "Pod Lists\\race.ini"},
        RawCase{"quoted, forward slashes", "/d \"Pod Lists/race.ini\"", true, "desktop",
                "Pod Lists\\race.ini"},
        RawCase{"quoted missing file", "/install \"gone.ini\"", false, "install", "gone.ini"},
        RawCase{"blanks inside the quotes", "/open \" race.ini \"", true, "open", "race.ini"},
        RawCase{"text after a second slash is still ignored", "/i race.ini /x", true, "install",
                "race.ini"},
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
    // A Linux name may hold quotes: the shell has already taken the user's away.
    EXPECT_FALSE(mCommandLine::ParseArguments(session, {"/open", "\"race.ini\""}, op, file));
    EXPECT_TRUE(mCommandLine::ParseArguments(session, {"/i", "race.ini"}, op, file));
}

struct ProblemCase {
    std::vector<std::string> arguments;
    const char* op;
    const char* problem;  // a part of it; "" when there is none
    const char* rawText = nullptr;  // Windows: the text instead of the arguments
};

class RequestProblem : public test::SessionFixture,
                       public ::testing::WithParamInterface<ProblemCase> {};

TEST_P(RequestProblem, SaysWhatIsWrongWithTheList) {
    game.Write("race.ini", "0\r\n");
    platform::CommandLineInput input;
    input.arguments = GetParam().arguments;
    if (GetParam().rawText != nullptr) {
        input.rawText = GetParam().rawText;
    }
    const mCommandLine::Request request = mCommandLine::ReadRequest(session, input);
    EXPECT_EQ(request.op, GetParam().op);
    if (GetParam().problem[0] == '\0') {
        EXPECT_EQ(request.problem, "");
    } else {
        EXPECT_NE(request.problem.find(GetParam().problem), std::string::npos) << request.problem;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestProblem,
    ::testing::Values(
        ProblemCase{{"/install"}, "install", "No pod list file was named"},
        ProblemCase{{"/i", " "}, "install", "No pod list file was named"},
        ProblemCase{{"/i", "race.txt"}, "install",
                    "\"race.txt\" is not a pod list file: its name must end in \".ini\". Pod.ini "
                    "was left as it was."},
        ProblemCase{{"/i", "gone.ini"}, "install", "gone.ini was not found in the game folder"},
        ProblemCase{{"/desktop", "gone.ini"}, "desktop", "No shortcut was made."},
        ProblemCase{{}, "install", "gone.ini was not found", "/install \"gone.ini\""},
        ProblemCase{{"/i", "race.ini"}, "install", ""},
        ProblemCase{{"/x", "gone.ini"}, "no operator", ""},
        ProblemCase{{"race.ini"}, "", ""}));

}  // namespace
}  // namespace marvok
