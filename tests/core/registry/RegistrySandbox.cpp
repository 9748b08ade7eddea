#include "RegistrySandbox.h"

#include "registry/FileRegistry.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#endif

namespace marvok::test {

RegistrySandbox::RegistrySandbox(const std::string& backend) {
    if (backend == "FileStore") {
        registry_ = std::make_unique<FileRegistry>(FileOptions(folder_));
        base_ = "Software\\MarvokTest";
        return;
    }
#ifdef _WIN32
    // The real registry (Wine's, on the Windows test run), in keys of the test's own.
    static std::atomic<int> counter{0};
    native_ = true;
    registry_ = platform::CreateRegistry("");
    base_ = "Software\\MarvokTest-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
#endif
}

RegistrySandbox::~RegistrySandbox() {
#ifdef _WIN32
    // HKEY_LOCAL_MACHINE in the 32-bit view the registry class uses.
    const std::wstring leaf(base_.begin() + 9, base_.end());
    if (!native_) {
        return;
    }
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY software = nullptr;
        if (RegOpenKeyExW(root, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software) == 0) {
            RegDeleteTreeW(software, leaf.c_str());
            RegCloseKey(software);
        }
    }
#endif
}

std::vector<std::string> BackendNames() {
#ifdef _WIN32
    return {"FileStore", "Win32"};
#else
    return {"FileStore"};  // Linux has no registry of its own
#endif
}

long MakeKey(platform::Registry& registry, std::uint32_t root, const std::string& path) {
    platform::RegHandle rootKey = 0;
    long code = registry.OpenKey(root, "", rootKey);
    if (code == 0) {
        code = registry.CreateKey(rootKey, path);
        registry.CloseKey(rootKey);
    }
    return code;
}

long Put(platform::Registry& registry, std::uint32_t root, const std::string& path,
         const std::string& name, std::uint32_t type, const std::string& data) {
    platform::RegHandle key = 0;
    long code = MakeKey(registry, root, path);
    if (code == 0 && (code = registry.OpenKey(root, path, key)) == 0) {
        code = registry.SetValue(key, name, type, data);
        registry.CloseKey(key);
    }
    return code;
}

std::optional<Stored> Get(platform::Registry& registry, std::uint32_t root,
                          const std::string& path, const std::string& name) {
    platform::RegHandle key = 0;
    if (registry.OpenKey(root, path, key) != 0) {
        return std::nullopt;
    }
    Stored stored{};
    const long code = registry.QueryValue(key, name, stored.type, stored.data);
    registry.CloseKey(key);
    return code == 0 ? std::optional<Stored>(stored) : std::nullopt;
}

bool KeyExists(platform::Registry& registry, std::uint32_t root, const std::string& path) {
    platform::RegHandle key = 0;
    if (registry.OpenKey(root, path, key) != 0) {
        return false;
    }
    registry.CloseKey(key);
    return true;
}

std::set<std::string> Dump(platform::Registry& registry, std::uint32_t root,
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
        const std::string sub = path.empty() ? child : path + "\\" + child;
        for (const auto& below : Dump(registry, root, sub)) {
            values.insert(child + (below[0] == '|' ? "" : "\\") + below);
        }
    }
    return values;
}

FileRegistry::Options FileOptions(const TestGameFolder& folder, const std::string& below) {
    FileRegistry::Options options;
    options.systemFile = folder.Native(below + "system.reg").string();
    options.userFile = folder.Native(below + "user.reg").string();
    return options;
}

static FileRegistry::Options GuardedOptions(GameRegistry& files) {
    auto options = FileOptions(files.folder);
    options.writeGuard = [&files] { return files.blocked; };
    options.folderForRegistry = [&files](std::string_view name) {
        const auto it = files.folders.find(std::string(name));
        return it == files.folders.end() ? std::string(name) : it->second;
    };
    return options;
}

GameRegistry::GameRegistry() : store(GuardedOptions(*this)) {}

}  // namespace marvok::test
