#pragma once
// Whether a wineserver runs for a prefix. While it runs it holds the prefix's registry in memory
// and writes it back over the files every 30 seconds and at exit, so edits to the files are lost.

#include <string>

namespace marvok::platform {

// The socket the wineserver of this prefix listens on: /tmp/.wine-<uid>/server-<dev>-<ino>/socket,
// dev and ino (hexadecimal) being those of the prefix folder. Empty when the folder is missing.
std::string WineServerSocket(const std::string& prefixRoot);

// True when that socket accepts a connection.
bool WineServerRunning(const std::string& prefixRoot);

}  // namespace marvok::platform
