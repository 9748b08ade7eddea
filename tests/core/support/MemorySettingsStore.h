#pragma once

#include <map>
#include <string>
#include <utility>

#include "common/Text.h"
#include "platform/SettingsStore.h"

namespace marvok::test {

// The settings store in memory, names matched ignoring case; writes can be made to fail.
class MemorySettingsStore final : public platform::SettingsStore {
public:
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        auto it = values.find(Key(section, key));
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    std::string Write(std::string_view section, std::string_view key,
                      std::string_view value) override {
        if (!failWrites.empty()) {
            return failWrites;
        }
        values[Key(section, key)] = std::string(value);
        ++writes;
        return {};
    }
    void Set(std::string_view section, std::string_view key, std::string_view value) {
        values[Key(section, key)] = std::string(value);
    }
    std::optional<std::string> Get(std::string_view section, std::string_view key) const {
        return Read(section, key);
    }

    static std::pair<std::string, std::string> Key(std::string_view section, std::string_view key) {
        return {text::LowerCase(section), text::LowerCase(key)};
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::string failWrites;
    int writes = 0;
};

}  // namespace marvok::test
