#include "platform/posix/WineServer.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace marvok::platform {
namespace {

// The folder Debian's wineserver recorded in the prefix: "wine-XXXXXX", nothing else.
std::string RecordedTempFolder(const std::string& prefixRoot) {
    std::ifstream in(prefixRoot + "/wineserver", std::ios::binary);
    std::string name;
    char buffer[64];
    in.read(buffer, sizeof buffer);
    name.assign(buffer, static_cast<std::size_t>(in.gcount()));
    while (!name.empty() && (name.back() == '\n' || name.back() == '\0')) {
        name.pop_back();
    }
    const bool plain = name.rfind("wine-", 0) == 0 && name.size() < sizeof buffer &&
                       name.find_first_of("/\n") == std::string::npos;
    return plain ? name : std::string();
}

bool Connects(const char* path) {
    sockaddr_un address{};
    const std::size_t length = std::strlen(path);
    if (length >= sizeof address.sun_path) {
        return false;
    }
    // Never wait: a server whose queue is full is running all the same.
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path, length + 1);
    // A socket left behind by a server that died refuses the connection.
    const bool running = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ||
                         errno == EAGAIN || errno == EINPROGRESS;
    close(fd);
    return running;
}

bool SocketAccepts(const std::string& path) {
    sockaddr_un address{};
    if (path.size() < sizeof address.sun_path) {
        return Connects(path.c_str());
    }
    // Too long for a socket address ($TMPDIR deep down): reach it through its folder instead,
    // as wineserver itself does by changing into that folder.
    const auto slash = path.rfind('/');
    const int dir = open(path.substr(0, slash).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return false;
    }
    char shortPath[64];
    std::snprintf(shortPath, sizeof shortPath, "/proc/self/fd/%d/%s", dir,
                  path.c_str() + slash + 1);
    const bool running = Connects(shortPath);
    close(dir);
    return running;
}

}  // namespace

std::vector<std::string> WineServerSockets(const std::string& prefixRoot) {
    struct stat st {};
    if (stat(prefixRoot.c_str(), &st) != 0) {
        return {};
    }
    char server[64];
    std::snprintf(server, sizeof server, "/server-%llx-%llx/socket",
                  static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    std::vector<std::string> sockets;
    sockets.push_back("/tmp/.wine-" + std::to_string(getuid()) + server);
    if (const std::string recorded = RecordedTempFolder(prefixRoot); !recorded.empty()) {
        // Wine takes $TMPDIR as it finds it; the server may have been started without it.
        const char* tmp = std::getenv("TMPDIR");
        if (tmp != nullptr && *tmp != '\0' && std::strcmp(tmp, "/tmp") != 0) {
            sockets.push_back(std::string(tmp) + "/" + recorded + server);
        }
        sockets.push_back("/tmp/" + recorded + server);
    }
    return sockets;
}

bool WineServerRunning(const std::string& prefixRoot) {
    for (const std::string& socket : WineServerSockets(prefixRoot)) {
        if (SocketAccepts(socket)) {
            return true;
        }
    }
    return false;
}

}  // namespace marvok::platform
