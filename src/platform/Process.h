#pragma once
// Facts about the running process that only the platform knows.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace marvok::platform {

// The folder that holds the running executable, without a trailing separator.
std::string ExecutableFolder();
// The executable's file name without its folder ("marvok", "Marvok.exe").
std::string ExecutableName();
// Whether the executable is a Windows program (false: a Linux one, which Wine starts by its name).
bool IsWindowsExecutable();

struct CommandLineInput {
    // Windows: the raw text after the program name. Empty elsewhere.
    std::optional<std::string> rawText;
    // Elsewhere: the arguments after the program name.
    std::vector<std::string> arguments;
};
CommandLineInput ReadCommandLine(int argc, char** argv);

// Whether windows can be shown (Linux: a display is named in the environment).
bool HasWindowSystem();

// Reads the system's font configuration, which the toolkit otherwise reads at the first text it
// lays out; safe on any thread, so that it can be done while the window system connects. Linux:
// fontconfig, when the toolkit has it loaded; elsewhere nothing.
void PrepareFonts();

// Whether /install and /desktop report on standard error instead of in message boxes even with
// windows at hand. Windows: when the caller handed over a standard error (a script or a console
// redirecting it); from Explorer there is none. Linux: never (without a display they always do).
bool CommandsReportOnStandardError();

// Held while this instance runs; a second Acquire for the same game folder answers nothing,
// however the folder is spelt (Windows: any letter case, short names) and whatever the
// executable in it is called.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
};
std::unique_ptr<InstanceLock> AcquireInstanceLock(const std::string& gameFolder);

}  // namespace marvok::platform
