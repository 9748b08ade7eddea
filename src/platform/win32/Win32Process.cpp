#include "platform/win32/Win32Process.h"

#include "platform/Process.h"
#include "platform/win32/WideText.h"

namespace marvok::platform {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The full path of the running executable, however long.
std::wstring ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::FromWin32Path(buffer);
        }
        // Cut to fit: try again with room to spare.
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

class MutexLock final : public InstanceLock {
  public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}

  private:
    win32::UniqueHandle mutex_;
};

}  // namespace

namespace win32 {

std::wstring_view TextAfterProgramName(std::wstring_view commandLine) {
    // Windows' own rule for the program name (CommandLineToArgvW): a quoted name ends at its
    // closing quote, blanks inside it included; an unquoted one at the first blank.
    std::size_t pos = 0;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        const auto close = commandLine.find(L'"', 1);
        pos = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !IsBlank(commandLine[pos])) {
            ++pos;
        }
    }
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) {
        ++pos;
    }
    return commandLine.substr(pos);
}

std::wstring FolderKey(std::wstring_view folder) {
    // One spelling for one folder: full, with long names, without a trailing "\".
    std::wstring key(folder);
    const auto call = [&key](auto&& api) {
        const DWORD needed = api(key.c_str(), nullptr, 0);
        if (needed == 0) {
            return;
        }
        std::wstring out(needed, L'\0');
        const DWORD length = api(key.c_str(), out.data(), needed);
        if (length > 0 && length < needed) {
            out.resize(length);
            key = std::move(out);
        }
    };
    call([](const wchar_t* in, wchar_t* out, DWORD size) {
        return GetFullPathNameW(in, size, out, nullptr);
    });
    call([](const wchar_t* in, wchar_t* out, DWORD size) {
        return GetLongPathNameW(in, out, size);
    });
    while (key.size() > 3 && (key.back() == L'\\' || key.back() == L'/')) {
        key.pop_back();
    }
    return key;
}

unsigned long long InstanceKeyHash(std::wstring_view key) {
    // FNV-1a over the upper-cased text: Windows paths ignore case.
    std::wstring upper(key);
    if (!upper.empty()) {
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, key.data(),
                      static_cast<int>(key.size()), upper.data(), static_cast<int>(upper.size()),
                      nullptr, nullptr, 0);
    }
    unsigned long long hash = 1469598103934665603ull;
    for (wchar_t c : upper) {
        hash ^= static_cast<unsigned long long>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace win32

std::string ExecutableFolder() {
    const std::wstring path = ExecutablePath();
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return ".";
    }
    // A drive root keeps its backslash ("C:\"), any other folder loses it.
    if (separator == 2 && path[1] == L':') {
        return win32::Narrow(path.substr(0, 3));
    }
    return win32::Narrow(path.substr(0, separator));
}

std::string ExecutableName() {
    const std::wstring path = ExecutablePath();
    return win32::Narrow(path.substr(path.find_last_of(L"\\/") + 1));
}

bool IsWindowsExecutable() {
    return true;
}

CommandLineInput ReadCommandLine(int, char**) {
    CommandLineInput input;
    const wchar_t* commandLine = GetCommandLineW();
    input.rawText =
        win32::Narrow(win32::TextAfterProgramName(commandLine == nullptr ? L"" : commandLine));
    return input;
}

bool HasWindowSystem() {
    return true;
}

void PrepareFonts() {}

bool CommandsReportOnStandardError() {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return error != nullptr && error != INVALID_HANDLE_VALUE &&
           GetFileType(error) != FILE_TYPE_UNKNOWN;
}

std::unique_ptr<InstanceLock> AcquireInstanceLock(const std::string& gameFolder) {
    const unsigned long long hash =
        win32::InstanceKeyHash(win32::FolderKey(win32::Widen(gameFolder).value_or(std::wstring())));
    std::wstring name = L"Local\\Marvok-";
    for (int shift = 60; shift >= 0; shift -= 4) {
        name += L"0123456789abcdef"[(hash >> shift) & 0xF];
    }
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        // Denied: an instance running with other rights holds it. Otherwise we cannot tell,
        // and this instance runs.
        return GetLastError() == ERROR_ACCESS_DENIED ? nullptr : std::make_unique<InstanceLock>();
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexLock>(mutex);
}

}  // namespace marvok::platform
