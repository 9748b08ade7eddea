#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <strings.h>

#include "common/Text.h"
#include "platform/AtomicWrite.h"
#include "platform/posix/WinePrefix.h"

namespace marvok::platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

struct SplitPath {
    std::string root;  // native folder the components start from
    std::vector<std::string> components;
};

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::optional<WinePrefix> prefix, std::string gameFolder)
    : prefix_(std::move(prefix)), gameFolder_(std::move(gameFolder)) {
    if (gameFolder_.empty() || gameFolder_.front() != '/') {
        gameFolder_.clear();
    }
    while (gameFolder_.size() > 1 && gameFolder_.back() == '/') {
        gameFolder_.pop_back();
    }
}

bool PosixFileSystem::IsNativeAbsolute(std::string_view path) const {
    return !path.empty() && path.front() == '/';
}

namespace {

// gameFolder is a native path: "\" is part of its names there, not a separator.
std::optional<SplitPath> Split(std::string_view path, const std::optional<WinePrefix>& prefix,
                               std::string_view gameFolder) {
    if (path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    SplitPath split;
    std::string_view rest = path;
    if (!gameFolder.empty() && path.starts_with(gameFolder) &&
        (path.size() == gameFolder.size() || gameFolder == "/" ||
         IsSeparator(path[gameFolder.size()]))) {
        split.root = "/";
        std::size_t pos = 1;
        while (pos < gameFolder.size()) {
            const auto slash = std::min(gameFolder.find('/', pos), gameFolder.size());
            if (slash > pos) {
                split.components.emplace_back(gameFolder.substr(pos, slash - pos));
            }
            pos = slash + 1;
        }
        rest.remove_prefix(gameFolder.size());
    } else if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        if (!prefix) {
            return std::nullopt;
        }
        auto folder = prefix->DriveFolder(path[0]);
        if (!folder) {
            return std::nullopt;
        }
        split.root = *folder;
        rest.remove_prefix(2);
    } else if (!path.empty() && path.front() == '/') {
        split.root = "/";
    } else {
        split.root = ".";
    }
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        std::size_t end = pos;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        std::string component(rest.substr(pos, end - pos));
        if (component == "..") {
            if (!split.components.empty()) {
                split.components.pop_back();
            }
        } else if (!component.empty() && component != ".") {
            split.components.push_back(std::move(component));
        }
        pos = end + 1;
    }
    return split;
}

// Walks the components, taking each name exactly when it exists and by a case-insensitive match
// otherwise. The last component may be left unmatched when allowMissingLeaf is set.
template <typename Matcher>
std::optional<std::string> Walk(const SplitPath& split, bool allowMissingLeaf, Matcher match) {
    // The common case costs one lstat: the path exists exactly as written.
    std::string direct = split.root;
    for (const auto& c : split.components) {
        direct = Join(direct, c);
    }
    if (Exists(direct)) {
        return direct;
    }
    std::string current = split.root;
    for (std::size_t i = 0; i < split.components.size(); ++i) {
        const std::string& name = split.components[i];
        std::string candidate = Join(current, name);
        if (Exists(candidate)) {
            current = std::move(candidate);
            continue;
        }
        if (auto found = match(current, name)) {
            current = Join(current, *found);
            continue;
        }
        if (allowMissingLeaf && i + 1 == split.components.size()) {
            return candidate;
        }
        return std::nullopt;
    }
    return current;
}

}  // namespace

std::optional<std::string> PosixFileSystem::Resolve(std::string_view path) const {
    auto split = Split(path, prefix_, gameFolder_);
    if (!split) {
        return std::nullopt;
    }
    auto matcher = [this](const std::string& f, const std::string& n) { return MatchInFolder(f, n); };
    auto native = Walk(*split, false, matcher);
    if (!native) {
        return std::nullopt;
    }
    struct stat st {};
    if (stat(native->c_str(), &st) != 0) {
        return std::nullopt;
    }
    return native;
}

std::optional<std::string> PosixFileSystem::ResolveForWrite(std::string_view path) const {
    auto split = Split(path, prefix_, gameFolder_);
    if (!split || split->components.empty()) {
        return std::nullopt;
    }
    auto matcher = [this](const std::string& f, const std::string& n) { return MatchInFolder(f, n); };
    return Walk(*split, true, matcher);
}

std::optional<EntryKind> PosixFileSystem::Attributes(std::string_view path) const {
    auto split = Split(path, prefix_, gameFolder_);
    if (!split) {
        return std::nullopt;
    }
    auto matcher = [this](const std::string& f, const std::string& n) { return MatchInFolder(f, n); };
    auto native = Walk(*split, false, matcher);
    struct stat st {};
    if (!native || stat(native->c_str(), &st) != 0) {
        return std::nullopt;
    }
    return S_ISDIR(st.st_mode) ? EntryKind::Directory : EntryKind::File;
}

std::optional<std::uint64_t> PosixFileSystem::FileSize(std::string_view path) const {
    auto native = Resolve(path);
    struct stat st {};
    if (!native || stat(native->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

bool PosixFileSystem::ListDirectory(std::string_view folder,
                                    std::vector<DirectoryEntry>& entries) const {
    entries.clear();
    if (folder.find('\0') != std::string_view::npos) {
        return false;
    }
    // Folders found by a scan exist under their exact names: try that before resolving.
    std::string native = DirectPath(folder);
    struct stat st {};
    if (!IsNativeAbsolute(folder) || stat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        auto resolved = Resolve(folder);
        if (!resolved || stat(resolved->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            return false;
        }
        native = std::move(*resolved);
    }
    if (auto kept = listings_.find(native);
        kept != listings_.end() && kept->second.stamp.Trusted(st)) {
        entries = kept->second.entries;
        return true;
    }
    DIR* dir = opendir(native.c_str());
    if (dir == nullptr) {
        return false;
    }
    const int dirFd = dirfd(dir);
    // Stamped before reading: a change made while reading leaves a newer time behind.
    const bool stamped = fstat(dirFd, &st) == 0;
    const FolderStamp stamp = FolderStamp::Of(st);
    while (dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat child {};
            isDirectory =
                fstatat(dirFd, name, &child, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(child.st_mode);
        }
        // Links to folders are not descended into: a Wine prefix links z: to "/", and a scan
        // must not walk the whole disk or loop.
        entries.push_back({name, isDirectory});
    }
    closedir(dir);
    // The disk's own order is a hash order on Linux; listing by name, as Windows file systems do,
    // gives the same result on every run.
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        const int folded = strcasecmp(a.name.c_str(), b.name.c_str());
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    if (stamped) {
        KeepListing(native, stamp, entries);
    }
    return true;
}

void PosixFileSystem::KeepListing(const std::string& native, const FolderStamp& stamp,
                                  const std::vector<DirectoryEntry>& entries) const {
    if (auto old = listings_.find(native); old != listings_.end()) {
        listedEntries_ -= old->second.entries.size();
        listings_.erase(old);
    }
    // A tree too large to keep is read afresh each time, as without the listings.
    if (entries.size() > kMaxListedEntries) {
        return;
    }
    if (listedEntries_ + entries.size() > kMaxListedEntries) {
        listings_.clear();
        listedEntries_ = 0;
    }
    listings_.emplace(native, Listing{stamp, entries});
    listedEntries_ += entries.size();
}

ReadResult PosixFileSystem::ReadFile(std::string_view path, std::size_t maxBytes) const {
    ReadResult result;
    auto native = Resolve(path);
    if (!native) {
        result.error = std::strerror(ENOENT);
        return result;
    }
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    const int fd = open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.error = std::strerror(errno);
        return result;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        result.error = std::strerror(errno);
        close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        result.error = S_ISDIR(st.st_mode) ? std::string(std::strerror(EISDIR))
                                           : std::string(kNotARegularFile);
        return result;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    char buffer[65536];
    while (result.bytes.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - result.bytes.size());
        const ssize_t got = read(fd, buffer, want);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = std::strerror(errno);
            close(fd);
            return result;
        }
        if (got == 0) {
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    result.ok = true;
    return result;
}

std::string PosixFileSystem::WriteFileAtomic(std::string_view path, std::string_view bytes) {
    auto native = ResolveForWrite(path);
    if (!native) {
        return std::strerror(ENOENT);
    }
    return WriteFileAtomically(*native, bytes);
}

std::string PosixFileSystem::ShortPath(std::string_view path) const {
    auto native = Resolve(path);
    if (!native) {
        return {};
    }
    if (!prefix_) {
        // Outside a prefix the full path serves, as long as it holds no blank.
        std::string full = *native;
        if (full.rfind("./", 0) == 0) {
            return {};
        }
        return full.find(' ') == std::string::npos ? full : std::string();
    }
    auto windows = prefix_->ToWindowsPath(*native);
    if (!windows) {
        return {};
    }
    // Every component after "X:\" becomes the name Wine reports in a short path.
    std::string result = windows->substr(0, 3);
    std::string_view rest = std::string_view(*windows).substr(3);
    while (!rest.empty()) {
        const auto sep = rest.find('\\');
        const std::string_view name = rest.substr(0, sep);
        if (result.size() > 3) {
            result += '\\';
        }
        result += WineShortName(name);
        if (sep == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(sep + 1);
    }
    return result.size() <= 164 ? result : std::string();
}

PosixFileSystem::FolderStamp PosixFileSystem::FolderStamp::Of(const struct stat& folder) {
    FolderStamp stamp;
    stamp.modified = folder.st_mtim;
    stamp.inode = folder.st_ino;
    clock_gettime(CLOCK_REALTIME, &stamp.read);
    return stamp;
}

bool PosixFileSystem::FolderStamp::Trusted(const struct stat& now) const {
    if (now.st_ino != inode || now.st_mtim.tv_sec != modified.tv_sec ||
        now.st_mtim.tv_nsec != modified.tv_nsec) {
        return false;
    }
    // Folder times advance in coarse ticks, two seconds on FAT: a change made in the same tick
    // as the one recorded would not show. Names read well after the recorded change are safe;
    // any later change gets a later time.
    const double age = static_cast<double>(read.tv_sec - modified.tv_sec) +
                       static_cast<double>(read.tv_nsec - modified.tv_nsec) / 1e9;
    return age > 2.5;
}

std::optional<std::string> PosixFileSystem::MatchInFolder(const std::string& folder,
                                                          const std::string& name) const {
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    auto it = folders_.find(folder);
    const bool stale = it == folders_.end() || !it->second.stamp.Trusted(st);
    if (stale) {
        DIR* dir = opendir(folder.c_str());
        if (dir == nullptr) {
            return std::nullopt;
        }
        if (folders_.size() >= kMaxIndexedFolders) {
            folders_.clear();
        }
        FolderIndex index;
        index.stamp = FolderStamp::Of(st);
        while (dirent* entry = readdir(dir)) {
            const std::string candidate = entry->d_name;
            if (candidate != "." && candidate != "..") {
                index.names.push_back(candidate);
                index.byLower.emplace(text::LowerCase(candidate), index.names.size() - 1);
            }
        }
        closedir(dir);
        it = folders_.insert_or_assign(folder, std::move(index)).first;
    }
    FolderIndex& index = it->second;
    const std::string wanted = text::LowerCase(name);
    if (auto exact = index.byLower.find(wanted); exact != index.byLower.end()) {
        return index.names[exact->second];
    }
    if (name.find('~') == std::string::npos) {
        return std::nullopt;
    }
    // Wine's short names are only made when one is asked for.
    if (!index.shortIndexed) {
        for (std::size_t i = 0; i < index.names.size(); ++i) {
            index.byShort.emplace(text::LowerCase(HashedShortName(index.names[i])), i);
        }
        index.shortIndexed = true;
    }
    if (auto hashed = index.byShort.find(wanted); hashed != index.byShort.end()) {
        return index.names[hashed->second];
    }
    return std::nullopt;
}

std::string PosixFileSystem::NativePath(std::string_view path) const {
    if (auto native = Resolve(path)) {
        return *native;
    }
    if (auto forWrite = ResolveForWrite(path)) {
        return *forWrite;
    }
    return DirectPath(path);
}

std::string PosixFileSystem::DirectPath(std::string_view path) const {
    const auto split = Split(path, prefix_, gameFolder_);
    if (!split) {
        std::string native(path);
        std::replace(native.begin(), native.end(), '\\', '/');
        return native;
    }
    std::string native = split->root;
    for (const auto& c : split->components) {
        native = Join(native, c);
    }
    return native;
}

std::unique_ptr<FileSystem> CreateFileSystem(std::string_view gameFolder) {
    return std::make_unique<PosixFileSystem>(WinePrefix::Find(gameFolder),
                                             std::string(gameFolder));
}

}  // namespace marvok::platform
