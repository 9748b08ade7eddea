#pragma once

#include <string>
#include <string_view>

namespace marvok::platform {

// Writes bytes to a temporary file in the target's folder, flushes it, gives it the target's
// permissions and renames it over the target (through a link, the link's target). On failure the
// temporary file is removed and the target is left as it was. Returns the empty text on success,
// else the system's reason. nativePath is the platform's own path form.
std::string WriteFileAtomically(const std::string& nativePath, std::string_view bytes);

}  // namespace marvok::platform
