#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace marvok::platform {

// The settings of VB's GetSetting and SaveSetting: string values below
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>.
class Win32SettingsStore final : public SettingsStore {
  public:
    explicit Win32SettingsStore(std::string_view appName);

    std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
    std::string Write(std::string_view section, std::string_view key,
                      std::string_view value) override;

    // The key below HKEY_CURRENT_USER that holds the application's sections.
    const std::string& AppKey() const { return appKey_; }

  private:
    std::string appKey_;
};

}  // namespace marvok::platform
