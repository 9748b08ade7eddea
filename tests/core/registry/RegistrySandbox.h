#pragma once
// A registry to test against, with a key of its own below each root that is removed afterwards,
// and plain access to any registry by full path.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "registry/FileRegistry.h"
#include "support/TestGameFolder.h"

namespace marvok::test {

// "FileStore" (the Wine registry files, everywhere) or "Win32" (advapi32, on Windows).
class RegistrySandbox {
  public:
    explicit RegistrySandbox(const std::string& backend);
    ~RegistrySandbox();
    platform::Registry& Registry() { return *registry_; }
    // The sandbox key's path below each root ("Software\MarvokTest...").
    const std::string& Base() const { return base_; }
    std::string Path(const std::string& below) const {
        return below.empty() ? base_ : base_ + "\\" + below;
    }

  private:
    TestGameFolder folder_;
    std::unique_ptr<platform::Registry> registry_;
    std::string base_;
    bool native_ = false;
};

std::vector<std::string> BackendNames();

struct Stored {
    std::uint32_t type;
    std::string data;
};

// Each answers the first failing code, or 0.
long MakeKey(platform::Registry& registry, std::uint32_t root, const std::string& path);
long Put(platform::Registry& registry, std::uint32_t root, const std::string& path,
         const std::string& name, std::uint32_t type, const std::string& data);
std::optional<Stored> Get(platform::Registry& registry, std::uint32_t root,
                          const std::string& path, const std::string& name);
bool KeyExists(platform::Registry& registry, std::uint32_t root, const std::string& path);
// Every value at and below the key, as "key|name=data" (the key relative to path, the NUL of a
// text left off).
std::set<std::string> Dump(platform::Registry& registry, std::uint32_t root,
                           const std::string& path);

// system.reg and user.reg in the folder (or in a folder below it).
FileRegistry::Options FileOptions(const TestGameFolder& folder, const std::string& below = "");

// The file store in a temporary folder, refusing writes while `blocked` is set and mapping
// folders for the registry through `folders`.
struct GameRegistry {
    GameRegistry();
    std::string blocked;
    std::map<std::string, std::string> folders;
    TestGameFolder folder;
    FileRegistry store;
};

}  // namespace marvok::test
