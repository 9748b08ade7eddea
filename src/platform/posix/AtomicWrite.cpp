#include "platform/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace marvok::platform {
namespace {

std::string Reason() { return std::strerror(errno); }

// A link is replaced through: the file it points to is the one rewritten.
std::string FollowLinks(const std::string& path) {
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer) != nullptr) {
        return buffer;
    }
    return path;
}

}  // namespace

std::string WriteFileAtomically(const std::string& nativePath, std::string_view bytes) {
    const std::string target = FollowLinks(nativePath);
    // A file marked read-only is left alone, as Windows does, even where rename could replace it.
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        (existing.st_mode & 0222) == 0) {
        return std::strerror(EACCES);
    }
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "." + base + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        return Reason();
    }
    temp.assign(name.data());
    auto fail = [&](std::string reason) {
        close(fd);
        unlink(temp.c_str());
        return reason;
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(Reason());
        }
        written += static_cast<std::size_t>(n);
    }
    struct stat st {};
    mode_t mode = 0;
    if (stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0 || fsync(fd) != 0) {
        return fail(Reason());
    }
    if (close(fd) != 0) {
        const std::string reason = Reason();
        unlink(temp.c_str());
        return reason;
    }
    if (rename(temp.c_str(), target.c_str()) != 0) {
        const std::string reason = Reason();
        unlink(temp.c_str());
        return reason;
    }
    return {};
}

}  // namespace marvok::platform
