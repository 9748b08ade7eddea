#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/Process.h"

namespace marvok::platform {
namespace {

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

class SocketLock final : public InstanceLock {
public:
    explicit SocketLock(int fd) : fd_(fd) {}
    ~SocketLock() override { close(fd_); }
    SocketLock(const SocketLock&) = delete;
    SocketLock& operator=(const SocketLock&) = delete;

private:
    int fd_;
};

}  // namespace

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ExecutableName() {
    const std::string path = ExecutablePath();
    return path.substr(path.find_last_of('/') + 1);
}

bool IsWindowsExecutable() {
    return false;
}

bool HasWindowSystem() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return true;
        }
    }
    return false;
}

void PrepareFonts() {
    // Looked up, not linked: only a toolkit that uses fontconfig has it loaded.
    void* library = dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) {
        return;
    }
    using Init = int (*)();
    if (const auto init = reinterpret_cast<Init>(dlsym(library, "FcInit"))) {
        init();
    }
    dlclose(library);
}

bool CommandsReportOnStandardError() {
    return false;
}

CommandLineInput ReadCommandLine(int argc, char** argv) {
    CommandLineInput input;
    for (int i = 1; i < argc; ++i) {
        input.arguments.emplace_back(argv[i]);
    }
    return input;
}

// An abstract socket name is held while the process lives and vanishes with it, even after a
// crash, and leaves no file behind. The folder itself is the key: its device and inode, so that
// another spelling of its path (a link, a bind mount) is the same folder.
std::unique_ptr<InstanceLock> AcquireInstanceLock(const std::string& gameFolder) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return std::make_unique<InstanceLock>();  // cannot tell: let this instance run
    }
    std::string name = "marvok-" + std::to_string(getuid()) + "-";
    struct stat st {};
    if (stat(gameFolder.c_str(), &st) == 0) {
        name += std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino);
    } else {
        // FNV-1a: the same in every build, unlike std::hash.
        std::uint64_t hash = 14695981039346656037ull;
        for (unsigned char c : gameFolder) {
            hash = (hash ^ c) * 1099511628211ull;
        }
        name += "path-" + std::to_string(hash);
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0) {
        const bool held = errno == EADDRINUSE;
        close(fd);
        return held ? nullptr : std::make_unique<InstanceLock>();
    }
    return std::make_unique<SocketLock>(fd);
}

}  // namespace marvok::platform
