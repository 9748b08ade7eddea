#pragma once
// The per-user settings store: text values by section and key (names match ignoring case).

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marvok::platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;
    // Returns the empty text on success, else the reason.
    virtual std::string Write(std::string_view section, std::string_view key,
                              std::string_view value) = 0;
};

// The store of the program named appName: the registry on Windows, an ini file elsewhere.
std::unique_ptr<SettingsStore> CreateSettingsStore(std::string_view appName);

}  // namespace marvok::platform
