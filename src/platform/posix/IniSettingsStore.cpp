#include "platform/posix/IniSettingsStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/PrivateProfile.h"
#include "platform/AtomicWrite.h"
#include "platform/posix/XdgFolders.h"

namespace marvok::platform {
namespace {

constexpr std::size_t kMaxSettingsBytes = 1 << 20;

struct Loaded {
    std::string content;
    std::string error;  // why the file could not be read whole; empty when it could (or is missing)
};

// The whole file; a missing file is an empty store.
Loaded Load(const std::string& path) {
    Loaded loaded;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            loaded.error = std::strerror(errno);
        }
        return loaded;
    }
    if (!S_ISREG(st.st_mode)) {
        loaded.error = "The settings file " + path + " is not a regular file.";
        return loaded;
    }
    if (static_cast<std::size_t>(st.st_size) > kMaxSettingsBytes) {
        loaded.error = "The settings file " + path + " is larger than 1 MiB.";
        return loaded;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        loaded.error = "The settings file " + path + " cannot be read: " + std::strerror(errno);
        return loaded;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad() || bytes.str().size() > kMaxSettingsBytes) {
        loaded.error = "The settings file " + path + " cannot be read whole.";
        return loaded;
    }
    loaded.content = bytes.str();
    return loaded;
}

std::string MakeFolders(const std::string& folder) {
    std::string partial;
    std::size_t pos = 0;
    while (pos != std::string::npos) {
        pos = folder.find('/', pos + 1);
        partial = folder.substr(0, pos);
        if (!partial.empty() && mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            return std::strerror(errno);
        }
    }
    return {};
}

}  // namespace

std::optional<std::string> IniSettingsStore::Read(std::string_view section,
                                                  std::string_view key) const {
    // An unreadable store reads as its defaults; writing it is refused below.
    const Loaded loaded = Load(path_);
    return PrivateProfile::Parse(loaded.content).Get(section, key);
}

std::string IniSettingsStore::Write(std::string_view section, std::string_view key,
                                    std::string_view value) {
    // Rewriting a file we could not read whole would drop every setting in it.
    const Loaded loaded = Load(path_);
    if (!loaded.error.empty()) {
        return loaded.error + " Nothing was changed.";
    }
    auto profile = PrivateProfile::Parse(loaded.content);
    if (!profile.Set(section, key, value)) {
        return "The setting holds a line break or its name an \"=\": it cannot be stored.";
    }
    const auto slash = path_.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        if (auto error = MakeFolders(path_.substr(0, slash)); !error.empty()) {
            return error;
        }
    }
    return WriteFileAtomically(path_, profile.Serialize());
}

std::unique_ptr<SettingsStore> CreateSettingsStore(std::string_view appName) {
    std::string name(appName);
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return std::make_unique<IniSettingsStore>(xdg::ConfigHome() + "/" + name + "/" + name + ".ini");
}

}  // namespace marvok::platform
