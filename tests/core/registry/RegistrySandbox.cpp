#include "RegistrySandbox.h"

#include <filesystem>

#include "registry/FileRegistry.h"
#include "support/TestGameFolder.h"

namespace marvok::test {
namespace {

class FileStoreSandbox final : public RegistrySandbox {
  public:
    FileStoreSandbox()
        : registry_(FileRegistry::Options{(folder_.Native("system.reg")).string(),
                                          (folder_.Native("user.reg")).string(),
                                          false,
                                          {},
                                          {},
                                          {}}) {
        base_ = "Software\\MarvokTest";
    }
    platform::Registry& Registry() override { return registry_; }

  private:
    TestGameFolder folder_;
    FileRegistry registry_;
};

}  // namespace

std::vector<Backend> Backends() {
    std::vector<Backend> all{{"FileStore", [] { return std::make_unique<FileStoreSandbox>(); }}};
    for (auto& backend : PlatformBackends()) {
        all.push_back(std::move(backend));
    }
    return all;
}

bool DeleteTree(platform::Registry& registry, std::uint32_t root, const std::string& path) {
    platform::RegHandle key = 0;
    if (registry.OpenKey(root, path, key) != 0) {
        return true;
    }
    std::string name;
    std::vector<std::string> children;
    for (std::uint32_t i = 0; registry.EnumKey(key, i, name) == 0; ++i) {
        children.push_back(name);
    }
    registry.CloseKey(key);
    for (const auto& child : children) {
        DeleteTree(registry, root, path + "\\" + child);
    }
    const auto slash = path.rfind('\\');
    const std::string parent = slash == std::string::npos ? "" : path.substr(0, slash);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    platform::RegHandle parentKey = 0;
    if (registry.OpenKey(root, parent, parentKey) != 0) {
        return false;
    }
    const bool deleted = registry.DeleteKey(parentKey, leaf) == 0;
    registry.CloseKey(parentKey);
    return deleted;
}

}  // namespace marvok::test
