// The install operator end to end: the executable copied into a game folder, started as a user
// would start it from a shell (on Linux without any display; on Windows, under Wine, offscreen).

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "GameCopy.h"

namespace {

using namespace marvok::cli;

struct Outcome {
    int status = -1;
    std::string errors;
};

#ifdef _WIN32
const std::string kProgram = "marvok.exe";

// The command line as typed: an argument with a blank is quoted, as a user or a script quotes it.
std::wstring CommandLine(const fs::path& program, const std::vector<std::string>& arguments) {
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const auto& a : arguments) {
        const std::wstring wide = fs::u8path(a).wstring();
        line += a.find(' ') == std::string::npos ? L" " + wide : L" \"" + wide + L"\"";
    }
    return line;
}

struct Started {
    PROCESS_INFORMATION process{};
    HANDLE errors = INVALID_HANDLE_VALUE;
};

// Starts program with standard error into errorsFile (or nowhere), the working folder at C:\.
Started Start(const fs::path& program, const std::vector<std::string>& arguments,
              const fs::path& errorsFile) {
    Started started;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    started.errors = CreateFileW(errorsFile.empty() ? L"NUL" : errorsFile.wstring().c_str(),
                                 GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = started.errors;
    startup.hStdError = started.errors;
    std::wstring line = CommandLine(program, arguments);
    if (!CreateProcessW(program.wstring().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        L"C:\\", &startup, &started.process)) {
        started.process = {};
    }
    return started;
}

void Stop(Started& started) {
    if (started.process.hProcess != nullptr) {
        TerminateProcess(started.process.hProcess, 9);
        WaitForSingleObject(started.process.hProcess, INFINITE);
        CloseHandle(started.process.hProcess);
        CloseHandle(started.process.hThread);
    }
    CloseHandle(started.errors);
}
#else
const std::string kProgram = "marvok";
#endif

class InstallCommand : public ::testing::Test {
  protected:
    InstallCommand() {
#ifdef _WIN32
        // Wine hands no QT_ variable over from Linux: the offscreen platform is asked for here,
        // and the programs started inherit it.
        SetEnvironmentVariableW(L"QT_QPA_PLATFORM", L"offscreen");
#endif
        std::random_device random;
        root_ = fs::temp_directory_path() / ("marvok-cli-" + std::to_string(random()));
        game_ = root_ / "Monster Truck Madness 2";
        MakeGame(game_, kProgram);
        fs::create_directories(root_ / "config");
    }
    ~InstallCommand() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Runs the game folder's marvok (or another copy in it) with the arguments, no display and
    // its own settings folder. A run that hangs is ended, and fails on its status, instead of
    // stalling the suite.
    Outcome Run(const std::vector<std::string>& arguments, const std::string& program = kProgram) {
        Outcome outcome;
#ifdef _WIN32
        Started started = Start(game_ / program, arguments, root_ / "errors.txt");
        if (started.process.hProcess == nullptr) {
            CloseHandle(started.errors);
            return outcome;
        }
        DWORD code = 0;
        if (WaitForSingleObject(started.process.hProcess, 60000) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(started.process.hProcess, &code)) {
            outcome.status = static_cast<int>(code);
        }
        Stop(started);
#else
        std::string command = "cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
        command += " XDG_CONFIG_HOME='" + (root_ / "config").string() + "'";
        command += " XDG_DATA_HOME='" + (root_ / "data").string() + "'";
        // Nothing the program writes for the user (a desktop shortcut) may reach the real home.
        command += " HOME='" + (root_ / "home").string() + "'";
        command += " timeout -s KILL 60 '" + (game_ / program).string() + "'";
        for (const auto& a : arguments) {
            command += " '" + a + "'";
        }
        command += " 2>'" + (root_ / "errors.txt").string() + "'";
        const int raw = std::system(command.c_str());
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
        outcome.errors = Read(root_ / "errors.txt");
        // A Windows program's standard error is text: its lines end in CR LF.
        std::erase(outcome.errors, '\r');
        return outcome;
    }

    fs::path root_;
    fs::path game_;
};

TEST_F(InstallCommand, WritesTheListAsPodIniWithoutADisplay) {
    Write(root_ / "Pod Lists" / "race.ini", "3\r\nFixes\\c.pod\r\nmissing.pod\r\nB.POD\r\n");
    const Outcome outcome = Run({"/Install", (root_ / "Pod Lists").string() + "/race.ini"});
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(Read(game_ / "pod.ini"), "2\r\nFixes\\c.pod\r\nB.POD\r\n");
    EXPECT_NE(
        outcome.errors.find("race.ini was not mounted:\n  \"missing.pod\": file not found\n"),
        std::string::npos)
        << outcome.errors;
#ifndef _WIN32
    // The pod.ini it replaced is kept in the user's data folder, for Restore Last Saved.
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(root_ / "data" / "Marvok" / "last-saved")) {
        kept.push_back(entry.path());
    }
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(Read(kept[0]), "1\r\na.pod\r\n");
#endif
}

// A relative list is taken from the game folder. On Linux the folder's own path may hold a
// backslash: "x\\y" read as "x/y" would be another folder.
TEST_F(InstallCommand, ARelativeListIsTakenFromTheGameFolder) {
#ifndef _WIN32
    const fs::path other = root_ / "x" / "y";
    Write(other / "ini" / "race.ini", "1\r\na.pod\r\n");
    Write(other / "a.pod", "POD");
    Write(other / "pod.ini", "0\r\n");
    fs::rename(game_, root_ / "x\\y");
    game_ = root_ / "x\\y";
#endif
    Write(game_ / "ini" / "race.ini", "1\r\nb.pod\r\n");
    const Outcome outcome = Run({"/i", "ini/race.ini"});
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(Read(game_ / "pod.ini"), "1\r\nb.pod\r\n");
#ifndef _WIN32
    EXPECT_EQ(Read(other / "pod.ini"), "0\r\n");
#endif
}

TEST_F(InstallCommand, EntriesPastThePodLimitAreNamedOnStandardError) {
    std::string list = "103\r\nb.pod\r\n";
    for (int i = 1; i < 103; ++i) {
        list += "p" + std::to_string(i) + ".pod\r\n";
    }
    Write(game_ / "many.ini", list);
    const Outcome outcome = Run({"/i", "many.ini"});
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(Read(game_ / "pod.ini"), "1\r\nb.pod\r\n");
    for (const char* says :
         {"102 entries of many.ini were not mounted (3 left out: MTM2 Patched pod limit is 100 "
          "pods):\n",
          "\n  \"p1.pod\": file not found\n", "\n  \"p99.pod\": file not found\n",
          "\n  \"p100.pod\": beyond the pod limit\n", "\n  \"p102.pod\": beyond the pod limit\n"}) {
        EXPECT_NE(outcome.errors.find(says), std::string::npos) << says << outcome.errors;
    }
}

#ifndef _WIN32
TEST_F(InstallCommand, WithoutADisplayTheWindowCannotOpenAndNothingIsWritten) {
    const Outcome outcome = Run({});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.errors.find("display"), std::string::npos) << outcome.errors;
    EXPECT_EQ(Read(game_ / "pod.ini"), "1\r\na.pod\r\n");
}
#endif

struct UnusableCase {
    const char* what;  // the case's name
    std::vector<std::string> arguments;
    const char* says;
};

class UnusableList : public InstallCommand, public ::testing::WithParamInterface<UnusableCase> {};

// Said on standard error, as the install's own problem (not as a missing display), and
// pod.ini is left as it was.
TEST_P(UnusableList, SaysWhatIsWrongWithTheListAndLeavesPodIni) {
    fs::create_directories(game_ / "folder.ini");
#ifndef _WIN32
    ASSERT_EQ(mkfifo((game_ / "pipe.ini").c_str(), 0600), 0);  // refused at once, never read
#endif
    const Outcome outcome = Run(GetParam().arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.errors.find(GetParam().says), std::string::npos) << outcome.errors;
    EXPECT_EQ(outcome.errors.find("display"), std::string::npos) << outcome.errors;
    EXPECT_EQ(Read(game_ / "pod.ini"), "1\r\na.pod\r\n");
}

const UnusableCase kUnusable[] = {
    {"Missing", {"/install", "gone.ini"}, "The pod list gone.ini was not found"},
    {"AFolder", {"/i", "folder.ini"}, "folder.ini"},
#ifndef _WIN32
    {"ANamedPipe", {"/i", "pipe.ini"}, "not a regular file"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Cases, UnusableList, ::testing::ValuesIn(kUnusable),
                         [](const auto& param) { return std::string(param.param.what); });

#ifndef _WIN32
// One Marvok per game folder, whatever the second copy is called. On Windows the lock is the
// win32 ProcessTest's and the second start the end-to-end script's.
class SecondInstance : public InstallCommand, public ::testing::WithParamInterface<const char*> {};

TEST_P(SecondInstance, EndsAtOnceWithoutInstalling) {
    Write(game_ / "race.ini", "1\r\nb.pod\r\n");
    const std::string second = GetParam();
    if (second != kProgram) {
        fs::copy_file(game_ / kProgram, game_ / second);
    }
    // The first instance shows its window on the offscreen platform and stays.
    const pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        const std::string exe = (game_ / kProgram).string();
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // Wait until the first instance holds the lock: a second one then ends with status 3.
    Outcome outcome;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        outcome = Run({"/i", "race.ini"}, second);
        if (outcome.status == 3) {
            break;
        }
        Write(game_ / "pod.ini", "1\r\na.pod\r\n");  // the lock was not held yet: try again
    }
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    EXPECT_EQ(outcome.status, 3) << outcome.errors;
    EXPECT_EQ(Read(game_ / "pod.ini"), "1\r\na.pod\r\n");
}

INSTANTIATE_TEST_SUITE_P(Copies, SecondInstance, ::testing::Values(kProgram.c_str(), "Marvok Copy"),
                         [](const auto& param) {
                             return std::string(param.param) == kProgram ? "SameName"
                                                                         : "AnotherName";
                         });
#endif

}  // namespace
