#include "platform/posix/WineServer.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace marvok::platform {

std::string WineServerSocket(const std::string& prefixRoot) {
    struct stat st {};
    if (stat(prefixRoot.c_str(), &st) != 0) {
        return {};
    }
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "/tmp/.wine-%u/server-%llx-%llx/socket",
                  static_cast<unsigned>(getuid()), static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return buffer;
}

bool WineServerRunning(const std::string& prefixRoot) {
    const std::string path = WineServerSocket(prefixRoot);
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    // Never wait: a server whose queue is full is running all the same.
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    // A socket left behind by a server that died refuses the connection.
    const bool running = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ||
                         errno == EAGAIN || errno == EINPROGRESS;
    close(fd);
    return running;
}

}  // namespace marvok::platform
