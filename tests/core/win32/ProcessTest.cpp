// The command line as Windows hands it to the program, one instance per game folder, and where
// the running program lives; what only a separate process shows is asked of the probe.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/mCommandLine.h"
#include "common/Text.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Process.h"
#include "support/SessionFixture.h"

namespace marvok::platform {
namespace {

TEST(TextAfterProgramName, DropsTheProgramNameAndTheBlanksAfterIt) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        // A quoted program path may hold blanks; the arguments keep theirs.
        {L"\"C:\\Program Files\\Marvok\\Marvok.exe\" /open C:\\Pod Lists\\race.ini",
         L"/open C:\\Pod Lists\\race.ini"},
        {L"C:\\Games\\MTM2\\Marvok.exe /i race.ini", L"/i race.ini"},
        // Nothing separates the quoted name from the text.
        {L"\"C:\\Games\\Marvok.exe\"/o a.ini", L"/o a.ini"},
        // Several blanks and tabs are dropped before the text, none after it.
        {L"Marvok.exe  \t /o  a.ini  ", L"/o  a.ini  "},
        {L"Marvok.exe\t/d a.ini", L"/d a.ini"},
        // A quote inside the text is the text's own.
        {L"Marvok.exe /open \"C:\\a b.ini\"", L"/open \"C:\\a b.ini\""},
        {L"Marvok.exe", L""},
        {L"Marvok.exe   ", L""},
        {L"\"C:\\no closing quote /o a.ini", L""},
        {L"", L""}};
    for (const auto& [commandLine, expected] : cases) {
        EXPECT_EQ(win32::TextAfterProgramName(commandLine), expected);
    }
}

std::wstring Wide(const std::string& text) {
    return *win32::Widen(text);
}

std::wstring ProbePath() {
    return Wide(ExecutableFolder() + "\\marvok_win32_probe.exe");
}

// Starts the probe (or a copy of it) with the command line given, standard input from `input`.
PROCESS_INFORMATION StartProbe(std::wstring commandLine, const std::wstring& probe,
                               HANDLE input = nullptr) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = input ? STARTF_USESTDHANDLES : 0;
    startup.hStdInput = input;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, input != nullptr, 0,
                        nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start the probe: error " << GetLastError();
    }
    return process;
}

// Waits for the probe and answers its exit code.
DWORD Finish(const PROCESS_INFORMATION& process) {
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

DWORD RunProbe(const std::wstring& commandLine, const std::wstring& probe = ProbePath()) {
    return Finish(StartProbe(commandLine, probe));
}

class ProbeTest : public test::SessionFixture {
  protected:
    void TearDown() override {
        SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", nullptr);
        SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", nullptr);
    }
};

// The text as Windows hands it to the program, read as the program reads it.
TEST_F(ProbeTest, TheCommandLineNamesTheListHoweverItIsTyped) {
    game.Write("Pod Lists\\race.ini", "0\r\n");
    game.Write("Two  Blanks\\race.ini", "0\r\n");
    std::string forward = game.Folder();
    std::replace(forward.begin(), forward.end(), '\\', '/');
    // How each form is parsed is CommandLineTest's; here: the whole text arrives, full paths
    // and doubled blanks included, and names the list in the game folder.
    const std::pair<std::wstring, std::string> cases[] = {
        // after the probe path and a blank
        {L"/open \"" + Wide(game.Folder()) + L"\\Pod Lists\\race.ini\"", "Pod Lists\\race.ini"},
        {L"/i " + Wide(game.Folder()) + L"\\Two  Blanks\\race.ini", "Two  Blanks\\race.ini"},
        {L"/desktop \"" + Wide(forward) + L"/Pod Lists/race.ini\"", "Pod Lists\\race.ini"}};
    SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", Wide(game.Folder() + "\\out.txt").c_str());
    ASSERT_EQ(RunProbe(L"marvok_win32_probe.exe"), 0u);
    EXPECT_EQ(game.Read("out.txt"), "text:");
    ASSERT_EQ(RunProbe(L"\"" + ProbePath() + L"\"  /open C:\\Pod Lists\\race.ini"), 0u);
    EXPECT_EQ(game.Read("out.txt"), "text:/open C:\\Pod Lists\\race.ini");
    for (const auto& [arguments, list] : cases) {
        ASSERT_EQ(RunProbe(L"\"" + ProbePath() + L"\" " + arguments), 0u);
        const std::string handed = game.Read("out.txt");
        EXPECT_EQ(handed, "text:" + win32::Narrow(arguments));
        std::string op;
        std::string file;
        EXPECT_TRUE(mCommandLine::ParseCommandLine(session, handed.substr(5), op, file)) << handed;
        EXPECT_EQ(file, game.Folder() + "\\" + list) << handed;
    }
}

TEST_F(ProbeTest, OneInstancePerGameFolderWhateverItsFileIsCalled) {
    const auto copy = [&](const std::string& relative) {
        game.MakeFolder(relative.substr(0, relative.find('\\')));
        const std::wstring path = Wide(game.Folder() + "\\" + relative);
        EXPECT_TRUE(CopyFileW(ProbePath().c_str(), path.c_str(), FALSE)) << relative;
        return path;
    };
    const std::wstring first = copy("Game\\Marvok.exe");
    const std::wstring second = copy("Game\\Marvok Copy.exe");
    // Another game folder runs beside it, even one whose name starts alike.
    const std::wstring elsewhere = copy("Game-other\\Marvok.exe");
    SetEnvironmentVariableW(L"MARVOK_PROBE_OUT", Wide(game.Folder() + "\\held.txt").c_str());

    // The first copy holds the lock until its standard input closes.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE input = nullptr;
    HANDLE feed = nullptr;
    ASSERT_TRUE(CreatePipe(&input, &feed, &inherit, 0));
    SetHandleInformation(feed, HANDLE_FLAG_INHERIT, 0);
    SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", L"hold");
    const PROCESS_INFORMATION holder = StartProbe(L"\"" + first + L"\"", first, input);
    CloseHandle(input);
    while (!game.Exists("held.txt") && WaitForSingleObject(holder.hProcess, 100) == WAIT_TIMEOUT) {
    }
    EXPECT_TRUE(game.Exists("held.txt"));

    SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", L"try");
    EXPECT_EQ(RunProbe(L"probe", second), 3u);
    EXPECT_EQ(RunProbe(L"probe", elsewhere), 0u);
    // The same folder spelt otherwise: letter case, a trailing "\\", its short name.
    EXPECT_EQ(AcquireInstanceLock(text::LowerCase(game.Folder() + "\\Game\\")), nullptr);
    wchar_t shortName[MAX_PATH];
    const DWORD length =
        GetShortPathNameW(Wide(game.Folder() + "\\Game").c_str(), shortName, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    EXPECT_EQ(AcquireInstanceLock(win32::Narrow(std::wstring(shortName, length))), nullptr);

    CloseHandle(feed);
    EXPECT_EQ(Finish(holder), 0u);
    EXPECT_EQ(RunProbe(L"probe", second), 0u);
}

TEST(ExecutableTest, FolderAndNameNameTheRunningProgram) {
    const std::string folder = ExecutableFolder();
    EXPECT_EQ(ExecutableName(), "marvok_core_tests.exe");
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.substr(1, 2), ":\\");
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(CreateFileSystem(folder)->Attributes(folder + "\\" + ExecutableName()),
              EntryKind::File);
}

}  // namespace
}  // namespace marvok::platform
