#include "registry/mRegStuff.h"

#include <charconv>

#include "common/Session.h"
#include "common/Text.h"

namespace marvok::mRegStuff {
namespace {

void Tell(UserInterface& ui, std::string_view text) {
    ui.ShowMessage(kAppTitle, text, MessageIcon::None, MessageButtons::Ok);
}

// A damaged or unwritable registry file explains a failure better than the short messages.
void TellProblem(platform::Registry& registry, UserInterface& ui) {
    const std::string problem = registry.TakeProblem();
    if (!problem.empty()) {
        ui.ShowMessage(kAppTitle, problem, MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

// Opens root\keyPath, creating it when it cannot be opened; on failure tells the user.
bool OpenOrCreate(CReadWriteEasyReg& reg, platform::Registry& registry, UserInterface& ui,
                  std::uint32_t root, std::string_view keyPath, std::string_view failure) {
    if (reg.OpenRegistry(root, keyPath)) {
        return true;
    }
    CreateKey(registry, ui, RootKeyText(root), "", keyPath);
    if (reg.OpenRegistry(root, keyPath)) {
        return true;
    }
    TellProblem(registry, ui);
    Tell(ui, failure);
    return false;
}

// Opens a key below HKEY_LOCAL_MACHINE to read it. Looking writes nothing: a missing key is not
// created and reads as empty (missing set, no message); any other failure is told.
bool OpenToRead(CReadWriteEasyReg& reg, platform::Registry& registry, UserInterface& ui,
                std::string_view keyPath, std::string_view failure, bool& missing) {
    missing = false;
    if (reg.OpenRegistry(platform::kHkeyLocalMachine, keyPath)) {
        return true;
    }
    if (reg.OpenError() == platform::kErrorFileNotFound) {
        missing = true;
        return false;
    }
    TellProblem(registry, ui);
    Tell(ui, failure);
    return false;
}

}  // namespace

std::string RootKeyText(std::uint32_t root) {
    return std::to_string(static_cast<std::int32_t>(root));
}

std::uint32_t RootKeyFromText(std::string_view rootKey) {
    const std::string trimmed = text::Trim(rootKey);
    std::int32_t value = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end != trimmed.data() + trimmed.size()) {
        return 0;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<RegList> ReadAllValueNames(platform::Registry& registry, UserInterface& ui,
                                         std::string_view keyPath) {
    CReadWriteEasyReg reg(registry, ui);
    bool missing = false;
    if (!OpenToRead(reg, registry, ui, keyPath, "Couldn't open registry key", missing)) {
        return missing ? std::optional<RegList>(RegList{}) : std::nullopt;
    }
    auto names = reg.GetAllValues();
    reg.CloseRegistry();
    return names;
}

std::string ReadValue(platform::Registry& registry, UserInterface& ui, std::string_view keyPath,
                      std::string_view valueName) {
    CReadWriteEasyReg reg(registry, ui);
    bool missing = false;
    if (!OpenToRead(reg, registry, ui, keyPath, "Couldn't open registry value", missing)) {
        return {};
    }
    const auto value = reg.GetValue(valueName, false);
    reg.CloseRegistry();
    if (!value) {
        return {};
    }
    // The strings of a REG_MULTI_SZ have no single text: nothing to show.
    if (const auto* text = std::get_if<std::string>(&*value)) {
        return *text;
    }
    return {};
}

bool CreateKey(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
               std::string_view parentPath, std::string_view newKeyPath) {
    CReadWriteEasyReg reg(registry, ui);
    if (!reg.OpenRegistry(RootKeyFromText(rootKey), parentPath)) {
        TellProblem(registry, ui);
        Tell(ui, "Couldn't create registry");
        return false;
    }
    const bool created = reg.CreateDirectory(newKeyPath);
    reg.CloseRegistry();
    return created;
}

bool WriteValue(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
                std::string_view keyPath, std::string_view valueName, std::string_view data) {
    CReadWriteEasyReg reg(registry, ui);
    if (!OpenOrCreate(reg, registry, ui, RootKeyFromText(rootKey), keyPath,
                      "Couldn't create registry value")) {
        return false;
    }
    const bool written = reg.CreateValue(valueName, std::string(data), platform::kRegSz);
    reg.CloseRegistry();
    if (!written) {
        TellProblem(registry, ui);
    }
    return written;
}

bool DeleteSubKey(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
                  std::string_view parentPath, std::string_view subKey) {
    CReadWriteEasyReg reg(registry, ui);
    if (!OpenOrCreate(reg, registry, ui, RootKeyFromText(rootKey), parentPath,
                      "Couldn't open registry value")) {
        return false;
    }
    const bool deleted = reg.deleteDirectory(subKey);
    reg.CloseRegistry();
    if (!deleted) {
        TellProblem(registry, ui);
    }
    return deleted;
}

bool CheckWritable(platform::Registry& registry, UserInterface& ui) {
    const std::string reason = registry.WriteBlocked();
    if (reason.empty()) {
        return true;
    }
    ui.ShowMessage(kAppTitle, reason, MessageIcon::Exclamation, MessageButtons::Ok);
    return false;
}

}  // namespace marvok::mRegStuff
