#pragma once
// Whether a wineserver runs for a prefix. While it runs it holds the prefix's registry in memory
// and writes it back over the files every 30 seconds and at exit, so edits to the files are lost.

#include <string>
#include <vector>

namespace marvok::platform {

// Every socket a wineserver of this prefix may listen on, as Wine's own programs look for it:
// upstream's /tmp/.wine-<uid>/server-<dev>-<ino>/socket, and Debian's, whose folder (made with
// mkdtemp under $TMPDIR) is named in the prefix's file "wineserver". dev and ino (hexadecimal)
// are those of the prefix folder. Empty when the folder is missing.
std::vector<std::string> WineServerSockets(const std::string& prefixRoot);

// True when one of those sockets accepts a connection.
bool WineServerRunning(const std::string& prefixRoot);

}  // namespace marvok::platform
