#include "platform/ShellLink.h"

#include <charconv>

namespace marvok::platform {

IconLocation SplitIconLocation(std::string_view location) {
    IconLocation icon;
    const auto comma = location.find_last_of(',');
    if (comma == std::string_view::npos) {
        icon.path = std::string(location);
        return icon;
    }
    std::string_view number = location.substr(comma + 1);
    while (!number.empty() && number.front() == ' ') {
        number.remove_prefix(1);
    }
    while (!number.empty() && number.back() == ' ') {
        number.remove_suffix(1);
    }
    int index = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), index);
    if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
        // No index after the comma: the comma belongs to the path.
        icon.path = std::string(location);
        return icon;
    }
    icon.path = std::string(location.substr(0, comma));
    icon.index = index;
    return icon;
}

}  // namespace marvok::platform
