#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace marvok::platform {

// The settings store as a UTF-8 ini file, read on each access and replaced whole on each write.
class IniSettingsStore final : public SettingsStore {
public:
    explicit IniSettingsStore(std::string path) : path_(std::move(path)) {}

    std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
    std::string Write(std::string_view section, std::string_view key,
                      std::string_view value) override;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace marvok::platform
