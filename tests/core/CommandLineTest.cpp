#include <gtest/gtest.h>

#include "app/mCommandLine.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

class CommandLineTest : public test::SessionFixture {
protected:
    CommandLineTest() {
        game.Write("race.ini", "0\r\n");
        game.Write("Pod Lists\\race.ini", "0\r\n");
        game.Write("lists\\a.ini", "0\r\n");
    }
};

TEST_F(CommandLineTest, TheRawTextIsParsedByTheWindowsRules) {
    struct Case {
        std::string text;
        bool usable;
        const char* op;  // "" when the parser never got to the operator
        const char* file;
    };
    const Case cases[] = {
        {"/install race.ini", true, "install", "race.ini"},
        {"/I race.ini", true, "install", "race.ini"},  // the first letter, any case
        {"/open Pod Lists\\race.ini", true, "open", "Pod Lists\\race.ini"},
        {"/o race.ini", true, "open", "race.ini"},
        {"/desktop race.ini", true, "desktop", "race.ini"},
        {"/i   race.ini   ", true, "install", "race.ini"},
        {"/i\t race.ini", true, "install", "race.ini"},
        {"junk /i race.ini", true, "install", "race.ini"},  // text before the first slash
        {"/x race.ini", false, "no operator", ""},
        {"/open", false, "", ""},
        {"open race.ini", false, "", ""},
        {"/open race.txt", false, "open", ""},
        {"/install gone.ini", false, "install", "gone.ini"},
        // As a user or a script types it at a Windows prompt.
        {"/open \"race.ini\"", true, "open", "race.ini"},
        {"/i  \"Pod Lists\\race.ini\" ", true, "install", "Pod Lists\\race.ini"},
        {"/open Pod Lists/race.ini", true, "open", "Pod Lists\\race.ini"},
        {"/d \"Pod Lists/race.ini\"", true, "desktop", "Pod Lists\\race.ini"},
        {"/install \"gone.ini\"", false, "install", "gone.ini"},
        {"/open \" race.ini \"", true, "open", "race.ini"},
        {"/i race.ini /x", true, "install", "race.ini"},  // text after a second slash
        {"", false, "", ""}};
    for (const Case& c : cases) {
        std::string op;
        std::string file;
        EXPECT_EQ(mCommandLine::ParseCommandLine(session, c.text, op, file), c.usable) << c.text;
        EXPECT_EQ(op, c.op) << c.text;
        EXPECT_EQ(file, c.file) << c.text;
    }
}

TEST_F(CommandLineTest, ArgumentsAreTheOperatorAndTheFileAndRefuseTheSameMistakes) {
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
    // A Linux name may hold quotes: the shell has already taken the user's away.
    const std::vector<std::vector<std::string>> refused = {
        {"/open"}, {"open", "race.ini"}, {"/open", "\"race.ini\""}, {"/x", "race.ini"}};
    for (const auto& arguments : refused) {
        EXPECT_FALSE(mCommandLine::ParseArguments(session, arguments, op, file)) << arguments[0];
    }
    EXPECT_EQ(op, "no operator");
    EXPECT_TRUE(mCommandLine::ParseArguments(session, {"/i", "race.ini"}, op, file));
}

TEST_F(CommandLineTest, TheRequestSaysWhatIsWrongWithTheList) {
    struct Case {
        std::vector<std::string> arguments;
        const char* op;
        const char* problem;            // a part of it; "" when there is none
        std::optional<std::string> rawText = {};  // Windows: the text instead of the arguments
    };
    const Case cases[] = {
        // The plain refusals are in the command line tests of the program itself.
        {{"/i", " "}, "install", "No pod list file was named"},
        {{"/desktop", "gone.ini"}, "desktop", "No shortcut was made."},
        {{}, "install", "gone.ini was not found", "/install \"gone.ini\""},
        {{"/i", "race.ini"}, "install", ""},
        {{"/x", "gone.ini"}, "no operator", ""},
        {{"race.ini"}, "", ""}};
    for (const Case& c : cases) {
        const mCommandLine::Request request =
            mCommandLine::ReadRequest(session, {c.rawText, c.arguments});
        EXPECT_EQ(request.op, c.op) << c.problem;
        EXPECT_EQ(request.problem.empty(), *c.problem == '\0') << request.problem;
        EXPECT_NE(request.problem.find(c.problem), std::string::npos) << request.problem;
    }
}

}  // namespace
}  // namespace marvok
