// The shell's named folders through the known-folder calls, and the environment's expansion.

#include <windows.h>
// After windows.h:
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "common/Text.h"
#include "platform/ShellFolders.h"
#include "platform/win32/WideText.h"

namespace marvok::platform {
namespace {

class Win32Environment final : public Environment {
  public:
    std::optional<std::string> Get(std::string_view name) const override {
        const auto wide = win32::Widen(name);
        if (!wide || wide->empty()) {
            return std::nullopt;
        }
        std::vector<wchar_t> buffer(256);
        while (true) {
            SetLastError(ERROR_SUCCESS);
            const DWORD length = GetEnvironmentVariableW(wide->c_str(), buffer.data(),
                                                         static_cast<DWORD>(buffer.size()));
            if (length == 0) {
                if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                    return std::nullopt;
                }
                return std::string();
            }
            if (length < buffer.size()) {
                return win32::Narrow(std::wstring_view(buffer.data(), length));
            }
            buffer.resize(length);
        }
    }
};

struct NamedFolder {
    std::string_view name;  // lower case
    const KNOWNFOLDERID* id;
};

// The names of the Windows Script Host's special folders and the known folders they stand for.
const NamedFolder kFolders[] = {
    {"allusersdesktop", &FOLDERID_PublicDesktop},
    {"allusersstartmenu", &FOLDERID_CommonStartMenu},
    {"allusersprograms", &FOLDERID_CommonPrograms},
    {"allusersstartup", &FOLDERID_CommonStartup},
    {"appdata", &FOLDERID_RoamingAppData},
    {"desktop", &FOLDERID_Desktop},
    {"favorites", &FOLDERID_Favorites},
    {"fonts", &FOLDERID_Fonts},
    {"mydocuments", &FOLDERID_Documents},
    {"nethood", &FOLDERID_NetHood},
    {"printhood", &FOLDERID_PrintHood},
    {"programs", &FOLDERID_Programs},
    {"recent", &FOLDERID_Recent},
    {"sendto", &FOLDERID_SendTo},
    {"startmenu", &FOLDERID_StartMenu},
    {"startup", &FOLDERID_Startup},
    {"templates", &FOLDERID_Templates},
};

// The folder's path when it exists on this machine (the call verifies that), else empty.
std::string KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path != nullptr) {
        result = win32::Narrow(path);
    }
    CoTaskMemFree(path);
    while (result.size() > 3 && result.back() == '\\') {
        result.pop_back();
    }
    return result;
}

class Win32ShellFolders final : public ShellFolders {
  public:
    std::string SpecialFolder(std::string_view shellName) const override {
        const std::string name = text::LowerCase(shellName);
        for (const auto& folder : kFolders) {
            if (folder.name == name) {
                return KnownFolder(*folder.id);
            }
        }
        return {};
    }

    std::string ExpandVariables(std::string_view text) const override {
        const auto wide = win32::Widen(text);
        if (!wide) {
            return std::string(text);
        }
        std::vector<wchar_t> buffer(wide->size() + 256);
        while (true) {
            const DWORD needed = ExpandEnvironmentStringsW(wide->c_str(), buffer.data(),
                                                           static_cast<DWORD>(buffer.size()));
            if (needed == 0) {
                return std::string(text);
            }
            if (needed <= buffer.size()) {
                return win32::Narrow(buffer.data());
            }
            buffer.resize(needed);
        }
    }

    bool HasOrdinaryFile(std::string_view folder) const override {
        std::string pattern(folder);
        if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) {
            pattern += '\\';
        }
        pattern += "*.*";
        const auto wide = win32::ToWin32Path(pattern);
        if (!wide) {
            return false;
        }
        WIN32_FIND_DATAW data{};
        win32::FindHandle search(FindFirstFileExW(wide->c_str(), FindExInfoBasic, &data,
                                                  FindExSearchNameMatch, nullptr, 0));
        if (!search.Valid()) {
            return false;
        }
        constexpr DWORD kNotOrdinary =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        do {
            if ((data.dwFileAttributes & kNotOrdinary) == 0) {
                return true;
            }
        } while (FindNextFileW(search.Get(), &data));
        return false;
    }
};

}  // namespace

const Environment& ProcessEnvironment() {
    static const Win32Environment environment;
    return environment;
}

std::unique_ptr<ShellFolders> CreateShellFolders() {
    return std::make_unique<Win32ShellFolders>();
}

}  // namespace marvok::platform
