#include "platform/posix/IniSettingsStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/AtomicWrite.h"
#include "platform/posix/XdgFolders.h"
#include "shell/PrivateProfile.h"

namespace marvok::platform {
namespace {

constexpr std::size_t kMaxSettingsBytes = 1 << 20;

std::string Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string content;
    content.resize(kMaxSettingsBytes);
    in.read(content.data(), static_cast<std::streamsize>(kMaxSettingsBytes));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return content;
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
    return PrivateProfile::Parse(Load(path_)).Get(section, key);
}

std::string IniSettingsStore::Write(std::string_view section, std::string_view key,
                                    std::string_view value) {
    auto profile = PrivateProfile::Parse(Load(path_));
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
