#include "platform/posix/XdgFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace marvok::platform::xdg {
namespace {

std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    return value;
}

}  // namespace

std::string HomeFolder() {
    if (auto home = AbsoluteVariable("HOME"); !home.empty()) {
        return home;
    }
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return pw->pw_dir;
    }
    return "/";
}

std::string ConfigHome() {
    auto value = AbsoluteVariable("XDG_CONFIG_HOME");
    return value.empty() ? HomeFolder() + "/.config" : value;
}

std::string DataHome() {
    auto value = AbsoluteVariable("XDG_DATA_HOME");
    return value.empty() ? HomeFolder() + "/.local/share" : value;
}

}  // namespace marvok::platform::xdg
