// Started by the process tests: writes the command-line text it was handed to the file named by
// MARVOK_PROBE_OUT, or, when MARVOK_PROBE_LOCK names a key, answers 3 if that instance lock is
// already held.

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
    if (const std::wstring key = Variable(L"MARVOK_PROBE_LOCK"); !key.empty()) {
        // The key is ASCII in the tests.
        return AcquireInstanceLock(std::string(key.begin(), key.end())) ? 0 : 3;
    }
    const std::wstring out = Variable(L"MARVOK_PROBE_OUT");
    if (out.empty()) {
        return 2;
    }
    const CommandLineInput input = ReadCommandLine(argc, argv);
    std::ofstream file(std::filesystem::path(out), std::ios::binary);
    file << (input.rawText ? "text:" + *input.rawText : std::string("none"));
    return file ? 0 : 1;
}
