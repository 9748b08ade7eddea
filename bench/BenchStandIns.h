#pragma once
// What a benchmark's session needs besides the disk: a user who answers nothing and settings in
// memory.

#include <map>
#include <optional>
#include <string>

#include "common/UserInterface.h"
#include "platform/SettingsStore.h"

namespace marvok::bench {

class SilentUser final : public UserInterface {
public:
    MessageAnswer ShowMessage(std::string_view, std::string_view, MessageIcon, MessageButtons,
                              int) override {
        return MessageAnswer::No;
    }
    std::string ShowFileDialog(const FileDialogRequest&) override { return {}; }
};

class MemorySettings final : public platform::SettingsStore {
public:
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        auto it = values.find(std::string(section) + "/" + std::string(key));
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::string Write(std::string_view section, std::string_view key,
                      std::string_view value) override {
        values[std::string(section) + "/" + std::string(key)] = std::string(value);
        return {};
    }
    std::map<std::string, std::string> values;
};

}  // namespace marvok::bench
