// Started by the process tests: writes the command-line text it was handed to the file named by
// MARVOK_PROBE_OUT. With MARVOK_PROBE_LOCK it takes the instance lock of its own folder as Marvok
// does, and answers 3 when it is held already; "hold" then writes "held" to MARVOK_PROBE_OUT and
// keeps the lock until its standard input closes.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Process.h"

namespace {

std::wstring Variable(const wchar_t* name) {
    wchar_t buffer[1024];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    if (length == 0 || length >= 1024) {
        return {};
    }
    return std::wstring(buffer, length);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace marvok::platform;
    const std::wstring out = Variable(L"MARVOK_PROBE_OUT");
    if (const std::wstring mode = Variable(L"MARVOK_PROBE_LOCK"); !mode.empty()) {
        const auto lock = AcquireInstanceLock(ExecutableFolder());
        if (!lock) {
            return 3;
        }
        if (mode == L"hold") {
            std::ofstream(std::filesystem::path(out), std::ios::binary) << "held";
            char buffer[64];
            DWORD got = 0;
            while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) &&
                   got > 0) {
            }
        }
        return 0;
    }
    if (out.empty()) {
        return 2;
    }
    const CommandLineInput input = ReadCommandLine(argc, argv);
    std::ofstream file(std::filesystem::path(out), std::ios::binary);
    file << (input.rawText ? "text:" + *input.rawText : std::string("none"));
    return file ? 0 : 1;
}
