#pragma once
// The registry as the game and Explorer see it: advapi32 on Windows, Wine's registry files
// elsewhere. The calls mirror the Win32 ones and answer Windows error codes, so the class above
// them behaves alike on both. Names and data travel as UTF-8; the data of the string types
// (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) is text with its NULs, any other type raw bytes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace marvok::platform {

// Predefined root keys by their handle values.
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegLink = 6;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Windows error codes the backends answer.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorWriteFault = 29;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorBadDb = 1009;
inline constexpr long kErrorKeyDeleted = 1018;

using RegHandle = std::uintptr_t;

// Whether the type's data is text (converted between UTF-8 and the registry's UTF-16).
constexpr bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

class Registry {
  public:
    virtual ~Registry() = default;

    // Opens root\path (the empty path opens the root itself).
    virtual long OpenKey(std::uint32_t root, std::string_view path, RegHandle& key) = 0;
    virtual long CloseKey(RegHandle key) = 0;
    // Creates parent\path and every missing key along it; success when it exists already.
    virtual long CreateKey(RegHandle parent, std::string_view path) = 0;
    virtual long DeleteKey(RegHandle parent, std::string_view name) = 0;
    virtual long DeleteValue(RegHandle key, std::string_view name) = 0;
    // The name of the sub key at index; kErrorNoMoreItems past the last.
    virtual long EnumKey(RegHandle key, std::uint32_t index, std::string& name) = 0;
    // The name of the value at index, whatever the size of its data.
    virtual long EnumValue(RegHandle key, std::uint32_t index, std::string& name) = 0;
    virtual long QueryValue(RegHandle key, std::string_view name, std::uint32_t& type,
                            std::string& data) = 0;
    virtual long SetValue(RegHandle key, std::string_view name, std::uint32_t type,
                          std::string_view data) = 0;

    // How the programs that read this registry name a folder of this machine (Wine's programs
    // see "C:\Games\MTM2" where Linux has ".../drive_c/Games/MTM2").
    virtual std::string FolderForRegistry(std::string_view folder) const {
        return std::string(folder);
    }
    // Why writing is refused right now (empty when it is not): Wine keeps these keys in memory
    // while it runs and would overwrite any change.
    virtual std::string WriteBlocked() const { return {}; }
    // What went wrong beyond an error code (a damaged or unwritable file), once; then empty.
    virtual std::string TakeProblem() { return {}; }
};

// The registry the game of this folder uses: on Linux the files of the Wine prefix that holds
// the folder, or Marvok's own files when there is none.
std::unique_ptr<Registry> CreateRegistry(std::string_view gameFolder);

}  // namespace marvok::platform
