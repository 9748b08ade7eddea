#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/win32/Win32Process.h"
#include "support/TestGameFolder.h"

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

// Runs the probe with the command line given and answers its exit code.
DWORD RunProbe(const std::wstring& commandLine) {
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::wstring probe = ProbePath();
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

TEST_F(ProbeTest, AnotherProcessFindsTheInstanceLockHeld) {
    const std::string key = folder_.Folder() + "\\Marvok.exe";
    SetEnvironmentVariableW(L"MARVOK_PROBE_LOCK", Wide(key).c_str());
    {
        auto lock = AcquireInstanceLock(key);
        ASSERT_NE(lock, nullptr);
        EXPECT_EQ(RunProbe(L"probe"), 3u);
    }
    EXPECT_EQ(RunProbe(L"probe"), 0u);
}

TEST(InstanceLockTest, ASecondAcquireFailsUntilTheFirstIsReleased) {
    const std::string key = "C:\\Games\\MTM2\\Marvok.exe-" + std::to_string(GetCurrentProcessId());
    auto first = AcquireInstanceLock(key);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(AcquireInstanceLock(key), nullptr);
    // The same installation named in another letter case is the same instance.
    EXPECT_EQ(
        AcquireInstanceLock("c:\\games\\mtm2\\MARVOK.EXE-" + std::to_string(GetCurrentProcessId())),
        nullptr);
    // Another installation runs beside it.
    EXPECT_NE(AcquireInstanceLock(key + "-other"), nullptr);
    first.reset();
    EXPECT_NE(AcquireInstanceLock(key), nullptr);
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
