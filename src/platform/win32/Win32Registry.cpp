// The Windows registry through advapi32. HKEY_LOCAL_MACHINE is reached in the 32-bit view
// (KEY_WOW64_32KEY) on every open, create and delete: the game is a 32-bit program and reads
// its keys there, while this program may be a 64-bit one.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "common/Text.h"
#include "platform/Registry.h"

namespace marvok::platform {
namespace {

constexpr REGSAM kOpenAccess = 0x2000F;  // query, set, create sub key, enumerate, read control
constexpr DWORD kMaxValueName = 16384;

std::wstring Wide(std::string_view utf8) {
    const std::u16string units = text::ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Narrow(const wchar_t* units, std::size_t count) {
    return text::FromUtf16(std::u16string(units, units + count));
}

HKEY AsKey(std::uintptr_t value) {
    return reinterpret_cast<HKEY>(value);
}

class Win32Registry final : public Registry {
  public:
    ~Win32Registry() override {
        for (const auto& [handle, machine] : handles_) {
            RegCloseKey(AsKey(handle));
        }
    }

    long OpenKey(std::uint32_t root, std::string_view path, RegHandle& key) override {
        const bool machine = root == kHkeyLocalMachine;
        HKEY opened = nullptr;
        const LSTATUS status =
            RegOpenKeyExW(AsKey(static_cast<std::uintptr_t>(static_cast<LONG>(root))),
                          Wide(path).c_str(), 0, kOpenAccess | View(machine), &opened);
        if (status == ERROR_SUCCESS) {
            key = reinterpret_cast<RegHandle>(opened);
            handles_[key] = machine;
        }
        return status;
    }

    long CloseKey(RegHandle key) override {
        const LSTATUS status = RegCloseKey(AsKey(key));
        if (status == ERROR_SUCCESS) {
            handles_.erase(key);
        }
        return status;
    }

    long CreateKey(RegHandle parent, std::string_view path) override {
        SECURITY_ATTRIBUTES security{};
        HKEY created = nullptr;
        DWORD disposition = 0;
        wchar_t noClass[] = L"";
        const LSTATUS status = RegCreateKeyExW(AsKey(parent), Wide(path).c_str(), 0, noClass, 0,
                                               KEY_ALL_ACCESS | View(IsMachine(parent)), &security,
                                               &created, &disposition);
        if (status == ERROR_SUCCESS) {
            RegCloseKey(created);
        }
        return status;
    }

    long DeleteKey(RegHandle parent, std::string_view name) override {
        return RegDeleteKeyExW(AsKey(parent), Wide(name).c_str(), View(IsMachine(parent)), 0);
    }

    long DeleteValue(RegHandle key, std::string_view name) override {
        return RegDeleteValueW(AsKey(key), Wide(name).c_str());
    }

    long EnumKey(RegHandle key, std::uint32_t index, std::string& name) override {
        wchar_t buffer[256];
        DWORD length = 256;
        const LSTATUS status =
            RegEnumKeyExW(AsKey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) {
            name = Narrow(buffer, length);
        }
        return status;
    }

    long EnumValue(RegHandle key, std::uint32_t index, std::string& name) override {
        // No data buffer: the name is listed whatever the size of the data.
        std::wstring buffer(kMaxValueName + 1, L'\0');
        DWORD length = kMaxValueName + 1;
        const LSTATUS status = RegEnumValueW(AsKey(key), index, buffer.data(), &length, nullptr,
                                             nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) {
            name = Narrow(buffer.data(), length);
        }
        return status;
    }

    long QueryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                    std::string& data) override {
        const std::wstring valueName = Wide(name);
        DWORD valueType = 0;
        DWORD size = 0;
        LSTATUS status =
            RegQueryValueExW(AsKey(key), valueName.c_str(), nullptr, &valueType, nullptr, &size);
        std::string bytes;
        // The value may grow between the calls; ask again with the new size.
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            bytes.assign(size, '\0');
            status = RegQueryValueExW(AsKey(key), valueName.c_str(), nullptr, &valueType,
                                      reinterpret_cast<BYTE*>(bytes.data()), &size);
            if (status == ERROR_SUCCESS) {
                bytes.resize(size);
                break;
            }
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
        type = valueType;
        if (IsStringType(type)) {
            std::u16string units;
            for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
                units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                               (static_cast<unsigned char>(bytes[i + 1]) << 8));
            }
            data = text::FromUtf16(units);
        } else {
            data = std::move(bytes);
        }
        return ERROR_SUCCESS;
    }

    long SetValue(RegHandle key, std::string_view name, std::uint32_t type,
                  std::string_view data) override {
        std::string bytes;
        if (IsStringType(type)) {
            for (char16_t c : text::ToUtf16(data)) {
                bytes += static_cast<char>(c & 0xFF);
                bytes += static_cast<char>(c >> 8);
            }
        } else {
            bytes.assign(data);
        }
        const auto size = static_cast<DWORD>(bytes.size());
        // Windows looks at the character after a string's data and counts it in when it is a
        // NUL; a non-NUL one after the end keeps the data exactly as given.
        bytes += "\x01\x00";
        return RegSetValueExW(AsKey(key), Wide(name).c_str(), 0, type,
                              reinterpret_cast<const BYTE*>(bytes.data()), size);
    }

  private:
    static REGSAM View(bool machine) { return machine ? KEY_WOW64_32KEY : 0; }
    bool IsMachine(RegHandle key) const {
        const auto it = handles_.find(key);
        return it != handles_.end() && it->second;
    }

    // Open handles, and whether each lies below HKEY_LOCAL_MACHINE.
    std::map<RegHandle, bool> handles_;
};

}  // namespace

std::unique_ptr<Registry> CreateRegistry(std::string_view) {
    return std::make_unique<Win32Registry>();
}

}  // namespace marvok::platform
