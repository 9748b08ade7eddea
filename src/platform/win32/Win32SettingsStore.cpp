#include "platform/win32/Win32SettingsStore.h"

#include <cstring>
#include <vector>

#include "platform/win32/WideText.h"

namespace marvok::platform {
namespace {

using win32::RegistryKey;

}  // namespace

Win32SettingsStore::Win32SettingsStore(std::string_view appName)
    : appKey_("Software\\VB and VBA Program Settings\\" + std::string(appName)) {}

std::optional<std::string> Win32SettingsStore::Read(std::string_view section,
                                                    std::string_view key) const {
    const auto path = win32::Widen(appKey_ + "\\" + std::string(section));
    const auto name = win32::Widen(key);
    if (!path || !name) {
        return std::nullopt;
    }
    RegistryKey opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, KEY_QUERY_VALUE, opened.Out()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The value may grow between the size query and the read: ask again until it fits.
    std::vector<BYTE> data(256);
    DWORD type = 0;
    LSTATUS status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(opened.Get(), name->c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size + sizeof(wchar_t));
        } else if (status == ERROR_SUCCESS) {
            data.resize(size);
        }
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // Stored strings need not end in a NUL, nor have an even size.
    std::wstring value(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(value.data(), data.data(), value.size() * sizeof(wchar_t));
    const auto nul = value.find(L'\0');
    if (nul != std::wstring::npos) {
        value.resize(nul);
    }
    return win32::Narrow(value);
}

std::string Win32SettingsStore::Write(std::string_view section, std::string_view key,
                                      std::string_view value) {
    const auto path = win32::Widen(appKey_ + "\\" + std::string(section));
    const auto name = win32::Widen(key);
    const auto wideValue = win32::Widen(value);
    if (!path || !name || !wideValue) {
        return win32::SystemMessage(ERROR_INVALID_PARAMETER);
    }
    RegistryKey created;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, path->c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, created.Out(), nullptr);
    if (status != ERROR_SUCCESS) {
        return win32::SystemMessage(static_cast<DWORD>(status));
    }
    const DWORD bytes = static_cast<DWORD>((wideValue->size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(created.Get(), name->c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wideValue->c_str()), bytes);
    if (status != ERROR_SUCCESS) {
        return win32::SystemMessage(static_cast<DWORD>(status));
    }
    return {};
}

std::unique_ptr<SettingsStore> CreateSettingsStore(std::string_view appName) {
    return std::make_unique<Win32SettingsStore>(appName);
}

}  // namespace marvok::platform
