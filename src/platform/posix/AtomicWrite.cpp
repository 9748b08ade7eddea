#include "platform/AtomicWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
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

// Whether name is one of our temporaries for base: "." + base + "." + six of mkstemp's letters.
bool IsTemporaryOf(std::string_view name, std::string_view base) {
    if (name.size() != base.size() + 8 || name[0] != '.' || name.substr(1, base.size()) != base ||
        name[base.size() + 1] != '.') {
        return false;
    }
    for (const char c : name.substr(base.size() + 2)) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// Every save holds a shared lock on the target's folder while its temporary file exists. Whoever
// gets the lock exclusively knows that no save is under way there, so the temporaries it finds
// were left by saves that were killed, and removes them.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~FolderLock() {
        if (fd_ >= 0) {
            close(fd_);  // releases the lock
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    void RemoveStaleTemporaries(std::string_view base) {
        if (fd_ < 0 || flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            return;  // another save is running (or the folder cannot be locked): leave all alone
        }
        if (DIR* dir = fdopendir(dup(fd_))) {
            while (const dirent* entry = readdir(dir)) {
                struct stat st {};
                if (IsTemporaryOf(entry->d_name, base) &&
                    fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                    S_ISREG(st.st_mode)) {
                    unlinkat(dirfd(dir), entry->d_name, 0);
                }
            }
            closedir(dir);
        }
        flock(fd_, LOCK_UN);
    }

    // Waits out another save's clean-up, but not for ever: a folder that cannot be locked is still
    // written, since only the clean-up needs the lock.
    void HoldShared() {
        for (int attempt = 0; fd_ >= 0 && attempt < 200; ++attempt) {
            if (flock(fd_, LOCK_SH | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
                return;
            }
            usleep(5000);
        }
    }

private:
    int fd_;
};

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
    FolderLock lock(folder);
    lock.RemoveStaleTemporaries(base);
    lock.HoldShared();
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
