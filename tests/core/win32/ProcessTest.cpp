#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "app/mCommandLine.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Process.h"
#include "support/SessionFixture.h"
#include "support/TestGameFolder.h"
#include "support/TestNames.h"

namespace marvok::platform {
namespace {

struct SplitCase {
    const wchar_t* commandLine;
    const wchar_t* expected;
};

class TextAfterProgramNameTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TextAfterProgramNameTest, DropsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(win32::TextAfterProgramName(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextAfterProgramNameTest,
    ::testing::Values(
        // A quoted program path may hold blanks; the arguments keep theirs.
        SplitCase{L"\"C:\\Program Files\\Marvok\\Marvok.exe\" /open C:\\Pod Lists\\race.ini",
                  L"/open C:\\Pod Lists\\race.ini"},
        SplitCase{L"C:\\Games\\MTM2\\Marvok.exe /i race.ini", L"/i race.ini"},
        // Nothing separates the quoted name from the text.
        SplitCase{L"\"C:\\Games\\Marvok.exe\"/o a.ini", L"/o a.ini"},
        // Several blanks and tabs are dropped before the text, none after it.
        SplitCase{L"Marvok.exe  \t /o  a.ini  ", L"/o  a.ini  "},
        SplitCase{L"Marvok.exe\t/d a.ini", L"/d a.ini"},
        // A quote inside the text is the text's own.
        SplitCase{L"Marvok.exe /open \"C:\\a b.ini\"", L"/open \"C:\\a b.ini\""},
        SplitCase{L"Marvok.exe", L""}, SplitCase{L"Marvok.exe   ", L""},
        SplitCase{L"\"C:\\no closing quote /o a.ini", L""}, SplitCase{L"", L""}));

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());  // the test folders are ASCII
}

std::wstring ProbePath() {
    return Wide(ExecutableFolder() + "\\marvok_win32_probe.exe");
}

// Runs the probe (or a copy of it) with the command line given and answers its exit code.
DWORD RunProbe(const std::wstring& commandLine, const std::wstring& probe = ProbePath()) {
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(probe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start the probe: error " << GetLastError();
        return 0xFFFFFFFF;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

class ProbeTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", nullptr);
        SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", nullptr);
    }
    test::TestGameFolder folder_;
};

TEST_F(ProbeTest, ReadCommandLineGivesTheTextAfterAQuotedProgramPath) {
    const std::string out = folder_.Folder() + "\\out.txt";
    SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", Wide(out).c_str());
    const std::wstring line = L"\"" + ProbePath() + L"\"  /open C:\\Pod Lists\\race.ini";
    ASSERT_EQ(RunProbe(line), 0u);
    EXPECT_EQ(folder_.Read("out.txt"), "text:/open C:\\Pod Lists\\race.ini");
}

TEST_F(ProbeTest, ReadCommandLineGivesEmptyTextWithoutArguments) {
    SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", Wide(folder_.Folder() + "\\out.txt").c_str());
    ASSERT_EQ(RunProbe(L"marvok_win32_probe.exe"), 0u);
    EXPECT_EQ(folder_.Read("out.txt"), "text:");
}

struct HandedCase {
    const char* what;
    const wchar_t* arguments;  // "%G" stands for the game folder, "%F" for it with "/"
    const char* op;
    const char* list;  // the file named, in the game folder
};

class WindowsCommandLine : public test::SessionFixture,
                           public ::testing::WithParamInterface<HandedCase> {
  protected:
    void TearDown() override { SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", nullptr); }
};

// The text as Windows hands it to the program, read as the program reads it.
TEST_P(WindowsCommandLine, NamesTheListHoweverItIsTyped) {
    game.Write("Pod Lists\\race.ini", "0\r\n");
    game.Write("Two  Blanks\\race.ini", "0\r\n");
    std::wstring arguments = GetParam().arguments;
    const std::wstring folder = Wide(game.Folder());
    std::wstring forward = folder;
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    for (const auto& [mark, value] : {std::pair{L"%G", folder}, std::pair{L"%F", forward}}) {
        if (const auto at = arguments.find(mark); at != std::wstring::npos) {
            arguments.replace(at, 2, value);
        }
    }
    SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", Wide(game.Folder() + "\\out.txt").c_str());
    ASSERT_EQ(RunProbe(L"\"" + ProbePath() + L"\" " + arguments), 0u);
    const std::string handed = game.Read("out.txt").substr(5);  // after "text:"
    std::string op;
    std::string file;
    EXPECT_TRUE(mCommandLine::ParseCommandLine(session, handed, op, file)) << handed;
    EXPECT_EQ(op, GetParam().op);
    const std::string expected = game.Folder() + "\\" + GetParam().list;
    EXPECT_EQ(file, expected) << handed;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsCommandLine,
    ::testing::Values(
        HandedCase{"quoted", L"/open \"%G\\Pod Lists\\race.ini\"", "open",
                   "Pod Lists\\race.ini"},
        HandedCase{"explorer unquoted", L"/install %G\\Pod Lists\\race.ini", "install",
                   "Pod Lists\\race.ini"},
        HandedCase{"explorer two blanks", L"/i %G\\Two  Blanks\\race.ini", "install",
                   "Two  Blanks\\race.ini"},
        HandedCase{"forward slashes", L"/o %F/Pod Lists/race.ini", "open", "Pod Lists\\race.ini"},
        HandedCase{"quoted forward slashes", L"/desktop \"%F/Pod Lists/race.ini\"", "desktop",
                   "Pod Lists\\race.ini"}),
    [](const auto& param) { return test::CaseName(param.param.what); });

TEST_F(ProbeTest, OneInstancePerGameFolderWhateverItsFileIsCalled) {
    folder_.MakeFolder("Game");
    folder_.MakeFolder("Other");
    const auto copy = [&](const std::string& relative) {
        const std::wstring path = Wide(folder_.Folder() + "\\" + relative);
        EXPECT_TRUE(CopyFileW(ProbePath().c_str(), path.c_str(), FALSE)) << relative;
        return path;
    };
    const std::wstring first = copy("Game\\Marvok.exe");
    const std::wstring second = copy("Game\\Marvok Copy.exe");
    const std::wstring elsewhere = copy("Other\\Marvok.exe");
    SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", Wide(folder_.Folder() + "\\held.txt").c_str());

    // The first copy holds the lock until its standard input closes.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE input = nullptr;
    HANDLE feed = nullptr;
    ASSERT_TRUE(CreatePipe(&input, &feed, &inherit, 0));
    SetHandleInformation(feed, HANDLE_FLAG_INHERIT, 0);
    SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", L"hold");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    PROCESS_INFORMATION holder{};
    std::wstring line = L"\"" + first + L"\"";
    ASSERT_TRUE(CreateProcessW(first.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               nullptr, &startup, &holder));
    CloseHandle(input);
    while (!folder_.Exists("held.txt") && WaitForSingleObject(holder.hProcess, 100) == WAIT_TIMEOUT) {
    }
    EXPECT_TRUE(folder_.Exists("held.txt"));

    SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", L"try");
    EXPECT_EQ(RunProbe(L"probe", second), 3u);
    EXPECT_EQ(RunProbe(L"probe", elsewhere), 0u);
    // The same folder spelt otherwise: letter case, a trailing "\\", its short name.
    std::string lower = folder_.Folder() + "\\game\\";
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(AcquireInstanceLock(lower), nullptr);
    wchar_t shortName[MAX_PATH];
    const std::wstring game = Wide(folder_.Folder() + "\\Game");
    const DWORD length = GetShortPathNameW(game.c_str(), shortName, MAX_PATH);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(AcquireInstanceLock(win32::Narrow(std::wstring(shortName, length))), nullptr);

    CloseHandle(feed);
    WaitForSingleObject(holder.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(holder.hProcess, &code);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(RunProbe(L"probe", second), 0u);
}

TEST(InstanceLockTest, ASecondAcquireFailsUntilTheFirstIsReleased) {
    const std::string folder = "C:\\Games\\MTM2-" + std::to_string(GetCurrentProcessId());
    auto first = AcquireInstanceLock(folder);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(AcquireInstanceLock(folder), nullptr);
    // Another game folder runs beside it, even one whose name starts alike.
    EXPECT_NE(AcquireInstanceLock(folder + "-other"), nullptr);
    first.reset();
    EXPECT_NE(AcquireInstanceLock(folder), nullptr);
}

TEST(ExecutableTest, FolderAndNameNameTheRunningProgram) {
    const std::string folder = ExecutableFolder();
    const std::string name = ExecutableName();
    EXPECT_EQ(name, "marvok_core_tests.exe");
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.substr(1, 2), ":\\");
    EXPECT_NE(folder.back(), '\\');
    const auto fs = CreateFileSystem(folder);
    EXPECT_EQ(fs->Attributes(folder + "\\" + name), EntryKind::File);
}

}  // namespace
}  // namespace marvok::platform
