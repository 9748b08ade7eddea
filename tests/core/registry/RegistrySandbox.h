#pragma once
// A registry to test against, with a key of its own below HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE (and HKEY_CLASSES_ROOT for the file store) that is removed afterwards.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace marvok::test {

class RegistrySandbox {
  public:
    virtual ~RegistrySandbox() = default;
    virtual platform::Registry& Registry() = 0;
    // The sandbox key's path below each root ("Software\MarvokTest-...").
    const std::string& Base() const { return base_; }
    std::string Path(const std::string& below) const {
        return below.empty() ? base_ : base_ + "\\" + below;
    }

  protected:
    std::string base_;
};

struct Backend {
    std::string name;
    std::function<std::unique_ptr<RegistrySandbox>()> make;
};

// The Wine registry file store, always; the platform's own registry where it has one.
std::vector<Backend> Backends();
std::vector<Backend> PlatformBackends();

// Removes a key and everything below it; true when it is gone.
bool DeleteTree(platform::Registry& registry, std::uint32_t root, const std::string& path);

}  // namespace marvok::test
