#pragma once
// The XDG base folders: an unset, empty or relative variable means the default under $HOME.

#include <string>

namespace marvok::platform::xdg {

std::string HomeFolder();
std::string ConfigHome();  // $XDG_CONFIG_HOME or ~/.config
std::string DataHome();    // $XDG_DATA_HOME or ~/.local/share

}  // namespace marvok::platform::xdg
