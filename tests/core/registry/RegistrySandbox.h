#pragma once
// A registry to test against, with a key of its own below each root that is removed afterwards,
// and plain access to any registry by full path.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FileRegistry.h"
#include "support/TestGameFolder.h"

namespace marvok::test {

// system.reg and user.reg in the folder (or in a folder below it).
inline FileRegistry::Options FileOptions(const TestGameFolder& folder,
                                         const std::string& below = "") {
    FileRegistry::Options options;
    options.systemFile = folder.Native(below + "system.reg").string();
    options.userFile = folder.Native(below + "user.reg").string();
    return options;
}

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
    std::string base_ = "Software\\MarvokTest";
    bool native_ = false;
};

inline std::vector<std::string> BackendNames() {
#ifdef _WIN32
    return {"FileStore", "Win32"};
#else
    return {"FileStore"};  // Linux has no registry of its own
#endif
}

struct Stored {
    std::uint32_t type;
    std::string data;
};

// Each answers the first failing code, or 0.
inline long MakeKey(platform::Registry& registry, std::uint32_t root, const std::string& path) {
    platform::RegHandle rootKey = 0;
    long code = registry.OpenKey(root, "", rootKey);
    if (code == 0) {
        code = registry.CreateKey(rootKey, path);
        registry.CloseKey(rootKey);
    }
    return code;
}

inline long Put(platform::Registry& registry, std::uint32_t root, const std::string& path,
                const std::string& name, std::uint32_t type, const std::string& data) {
    platform::RegHandle key = 0;
    long code = MakeKey(registry, root, path);
    if (code == 0 && (code = registry.OpenKey(root, path, key)) == 0) {
        code = registry.SetValue(key, name, type, data);
        registry.CloseKey(key);
    }
    return code;
}

inline std::optional<Stored> Get(platform::Registry& registry, std::uint32_t root,
                                 const std::string& path, const std::string& name) {
    platform::RegHandle key = 0;
    Stored stored{};
    if (registry.OpenKey(root, path, key) != 0) {
        return std::nullopt;
    }
    const long code = registry.QueryValue(key, name, stored.type, stored.data);
    registry.CloseKey(key);
    return code == 0 ? std::optional<Stored>(stored) : std::nullopt;
}

inline bool KeyExists(platform::Registry& registry, std::uint32_t root, const std::string& path) {
    platform::RegHandle key = 0;
    const bool open = registry.OpenKey(root, path, key) == 0;
    if (open) {
        registry.CloseKey(key);
    }
    return open;
}

// Every value at and below the key, as "key|name=data" (the key relative to path, the NUL of a
// text left off).
inline std::set<std::string> Dump(platform::Registry& registry, std::uint32_t root,
                                  const std::string& path) {
    std::set<std::string> values;
    platform::RegHandle key = 0;
    if (registry.OpenKey(root, path, key) != 0) {
        return values;
    }
    std::string name;
    std::vector<std::string> children;
    for (std::uint32_t i = 0; registry.EnumKey(key, i, name) == 0; ++i) {
        children.push_back(name);
    }
    std::uint32_t type = 0;
    std::string data;
    for (std::uint32_t i = 0; registry.EnumValue(key, i, name) == 0; ++i) {
        registry.QueryValue(key, name, type, data);
        if (type == platform::kRegSz && !data.empty() && data.back() == '\0') {
            data.pop_back();
        }
        values.insert("|" + name + "=" + data);
    }
    registry.CloseKey(key);
    for (const auto& child : children) {
        for (const auto& below : Dump(registry, root, path.empty() ? child : path + "\\" + child)) {
            values.insert(child + (below[0] == '|' ? "" : "\\") + below);
        }
    }
    return values;
}

// The file store in a temporary folder, refusing writes while `blocked` is set, mapping folders
// for the registry through `folders`, and stamping keys with 1700000000 (Unix seconds).
struct GameRegistry {
    FileRegistry::Options Options() {
        auto options = FileOptions(folder);
        options.writeGuard = [this] { return blocked; };
        options.folderForRegistry = [this](std::string_view name) {
            const auto it = folders.find(std::string(name));
            return it == folders.end() ? std::string(name) : it->second;
        };
        options.clock = [] { return 133444736000000000ULL; };
        return options;
    }
    std::string blocked;
    std::map<std::string, std::string> folders;
    TestGameFolder folder;
    FileRegistry store{Options()};
};

}  // namespace marvok::test
