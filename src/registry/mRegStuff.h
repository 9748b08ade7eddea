#pragma once
// One call per registry task: each routine opens its key with a fresh CReadWriteEasyReg, does
// its one task and closes it. A key that a write or delete cannot open is created and opened
// again; only when that fails too is the user told. Reading never creates: a missing key reads
// as empty.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/UserInterface.h"
#include "platform/Registry.h"
#include "registry/CReadWriteEasyReg.h"

namespace marvok::mRegStuff {

// Root keys as the routines take them: the signed decimal text of the handle value.
inline constexpr std::string_view kHkeyClassesRoot = "-2147483648";
inline constexpr std::string_view kHkeyCurrentUser = "-2147483647";
inline constexpr std::string_view kHkeyLocalMachine = "-2147483646";

std::string RootKeyText(std::uint32_t root);
// The handle value of a root key text; 0 when the text is no 32-bit number.
std::uint32_t RootKeyFromText(std::string_view rootKey);

// The value names of a key below HKEY_LOCAL_MACHINE, in enumeration order; an empty list for a
// missing key.
std::optional<RegList> ReadAllValueNames(platform::Registry& registry, UserInterface& ui,
                                         std::string_view keyPath);
// A value below HKEY_LOCAL_MACHINE as text; the empty text when it does not exist or is a
// list of strings.
std::string ReadValue(platform::Registry& registry, UserInterface& ui, std::string_view keyPath,
                      std::string_view valueName);
bool CreateKey(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
               std::string_view parentPath, std::string_view newKeyPath);
// Writes a REG_SZ value (the empty name is the key's default value).
bool WriteValue(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
                std::string_view keyPath, std::string_view valueName, std::string_view data);
bool DeleteSubKey(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
                  std::string_view parentPath, std::string_view subKey);

// Before a task that writes: false, after telling the user why, while the registry cannot be
// written (Wine running on its files).
bool CheckWritable(platform::Registry& registry, UserInterface& ui);

}  // namespace marvok::mRegStuff
