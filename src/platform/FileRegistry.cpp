#include "platform/FileRegistry.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/Text.h"
#include "platform/AtomicWrite.h"

namespace marvok {
namespace {

using platform::kErrorAccessDenied;
using platform::kErrorBadDb;
using platform::kErrorFileNotFound;
using platform::kErrorInvalidHandle;
using platform::kErrorKeyDeleted;
using platform::kErrorNoMoreItems;
using platform::kErrorSuccess;
using platform::kErrorWriteFault;

constexpr std::uint64_t kTicks1601To1970 = 116444736000000000ULL;

std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::u16string> SplitPath(std::string_view path) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.push_back(text::ToUtf16(path.substr(start, end - start)));
        }
        start = end + 1;
    }
    return parts;
}

bool Is(const std::u16string& name, std::u16string_view expected) {
    return winereg::CompareIgnoringCase(name, expected) == 0;
}

// The registry's UTF-16LE bytes of the string types as UTF-8 text, and back.
std::string StringData(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text::FromUtf16(units);
}

std::string RegistryBytes(std::string_view utf8) {
    std::string bytes;
    for (char16_t c : text::ToUtf16(utf8)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::uint64_t SystemClock() {
    const auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return kTicks1601To1970 + static_cast<std::uint64_t>(since1970.count() / 100);
}

}  // namespace

FileRegistry::FileRegistry(Options options) : options_(std::move(options)) {
    system_.path = options_.systemFile;
    system_.relativeTo = "\\Machine";
    user_.path = options_.userFile;
    user_.relativeTo = "\\User\\S-1-5-21-0-0-0-1000";
    if (!options_.clock) {
        options_.clock = SystemClock;
    }
}

void FileRegistry::Report(std::string problem) {
    if (problem != reportedProblem_) {
        pendingProblem_ = std::move(problem);
    }
}

std::string FileRegistry::TakeProblem() {
    std::string problem = std::move(pendingProblem_);
    pendingProblem_.clear();
    if (!problem.empty()) {
        reportedProblem_ = problem;
    }
    return problem;
}

std::string FileRegistry::WriteBlocked() const {
    return options_.writeGuard ? options_.writeGuard() : std::string();
}

std::string FileRegistry::FolderForRegistry(std::string_view folder) const {
    return options_.folderForRegistry ? options_.folderForRegistry(folder) : std::string(folder);
}

long FileRegistry::Load(HiveFile& file) {
    std::error_code error;
    const auto path = FsPath(file.path);
    if (!std::filesystem::exists(path, error)) {
        // A missing file is an empty registry until the first write makes it.
        if (!file.hive || file.stamp) {
            file.hive = winereg::NewHive(file.relativeTo, false);
            file.stamp.reset();
        }
        return kErrorSuccess;
    }
    const auto stamp = std::filesystem::last_write_time(path, error);
    const auto size = std::filesystem::file_size(path, error);
    if (!error && file.hive && file.stamp == stamp && file.size == size) {
        return kErrorSuccess;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.hive.reset();
        Report("Marvok cannot read the registry file " + file.path + ".");
        return kErrorAccessDenied;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    winereg::ParseResult parsed = winereg::Parse(bytes);
    if (!parsed.hive) {
        file.hive.reset();
        Report("The registry file " + file.path + " is damaged (" + parsed.error +
               "). Marvok left it as it was and changed nothing in it.");
        return kErrorBadDb;
    }
    file.hive = std::move(parsed.hive);
    file.stamp = stamp;
    file.size = size;
    return kErrorSuccess;
}

long FileRegistry::Save(HiveFile& file) {
    const std::string bytes = winereg::Serialize(*file.hive);
    std::error_code error;
    const auto path = FsPath(file.path);
    if (options_.createFolders) {
        std::filesystem::create_directories(path.parent_path(), error);
    }
    const std::string reason = platform::WriteFileAtomically(file.path, bytes);
    if (!reason.empty()) {
        // Forget the change: the next call reads the file as it still is.
        file.hive.reset();
        file.stamp.reset();
        Report("Marvok could not save the registry file " + file.path + ": " + reason + ".");
        return kErrorWriteFault;
    }
    file.stamp = std::filesystem::last_write_time(path, error);
    file.size = bytes.size();
    if (error) {
        file.stamp.reset();
    }
    reportedProblem_.clear();
    return kErrorSuccess;
}

long FileRegistry::CheckWritable() {
    std::string reason = WriteBlocked();
    if (reason.empty()) {
        return kErrorSuccess;
    }
    Report(std::move(reason));
    return kErrorAccessDenied;
}

long FileRegistry::Locate(std::uint32_t root, std::vector<std::u16string> path, Target& target) {
    if (root == platform::kHkeyLocalMachine) {
        target.file = &system_;
    } else if (root == platform::kHkeyClassesRoot) {
        target.file = &system_;
        path.insert(path.begin(), {u"Software", u"Classes"});
    } else if (root == platform::kHkeyCurrentUser) {
        target.file = &user_;
    } else {
        return kErrorInvalidHandle;
    }
    if (const long loaded = Load(*target.file); loaded != kErrorSuccess) {
        return loaded;
    }
    // A 32-bit program's HKLM\Software is Software\Wow6432Node in a 64-bit prefix.
    if (root == platform::kHkeyLocalMachine && target.file->hive->Win64() && !path.empty() &&
        Is(path[0], u"Software") && !(path.size() > 1 && Is(path[1], u"Wow6432Node"))) {
        path.insert(path.begin() + 1, u"Wow6432Node");
    }
    target.path = std::move(path);
    return kErrorSuccess;
}

long FileRegistry::LocateHandle(platform::RegHandle key, std::string_view relative,
                                Target& target) {
    const auto it = handles_.find(key);
    if (it == handles_.end()) {
        return kErrorInvalidHandle;
    }
    std::vector<std::u16string> path = it->second.path;
    for (auto& part : SplitPath(relative)) {
        path.push_back(std::move(part));
    }
    return Locate(it->second.root, std::move(path), target);
}

bool FileRegistry::IsRootHandle(platform::RegHandle key) const {
    const auto it = handles_.find(key);
    return it != handles_.end() && it->second.path.empty();
}

winereg::Key* FileRegistry::FindHandle(platform::RegHandle key) {
    Target target;
    if (LocateHandle(key, {}, target) != kErrorSuccess) {
        return nullptr;
    }
    return Find(target);
}

winereg::Key* FileRegistry::Find(const Target& target) const {
    winereg::Key* key = &target.file->hive->root;
    for (const auto& part : target.path) {
        key = key->FindSubkey(part);
        if (key == nullptr) {
            return nullptr;
        }
    }
    return key;
}

long FileRegistry::OpenKey(std::uint32_t root, std::string_view path, platform::RegHandle& key) {
    Target target;
    Handle handle{root, SplitPath(path)};
    if (const long located = Locate(root, handle.path, target); located != kErrorSuccess) {
        return located;
    }
    // The predefined keys always exist, even where the file has no key for them yet.
    if (!handle.path.empty() && Find(target) == nullptr) {
        return kErrorFileNotFound;
    }
    key = nextHandle_++;
    handles_.emplace(key, std::move(handle));
    return kErrorSuccess;
}

long FileRegistry::CloseKey(platform::RegHandle key) {
    return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

long FileRegistry::CreateKey(platform::RegHandle parent, std::string_view path) {
    Target target;
    if (const long located = LocateHandle(parent, path, target); located != kErrorSuccess) {
        return located;
    }
    if (!IsRootHandle(parent) && FindHandle(parent) == nullptr) {
        return kErrorKeyDeleted;
    }
    // Deeper would make a file that no load takes back.
    if (target.path.size() > winereg::kMaxKeyDepth) {
        return platform::kErrorInvalidParameter;
    }
    // Walk the whole path in the file: the 32-bit view may put the new keys elsewhere than
    // below the parent's own node.
    winereg::Key* walk = &target.file->hive->root;
    bool created = false;
    for (const auto& part : target.path) {
        winereg::Key* next = walk->FindSubkey(part);
        if (next == nullptr) {
            if (!created) {
                if (const long writable = CheckWritable(); writable != kErrorSuccess) {
                    return writable;
                }
                walk->Touch(options_.clock());
                created = true;
            }
            next = &walk->AddSubkey(part);
            next->Touch(options_.clock());
        }
        walk = next;
    }
    return created ? Save(*target.file) : kErrorSuccess;
}

long FileRegistry::DeleteKey(platform::RegHandle parent, std::string_view name) {
    Target target;
    if (const long located = LocateHandle(parent, name, target); located != kErrorSuccess) {
        return located;
    }
    if (target.path.empty() || SplitPath(name).empty()) {
        return platform::kErrorInvalidParameter;
    }
    const winereg::Key* key = Find(target);
    if (key == nullptr) {
        return kErrorFileNotFound;
    }
    if (!key->subkeys.empty()) {
        return kErrorAccessDenied;  // as Windows: only a key without sub keys goes
    }
    if (const long writable = CheckWritable(); writable != kErrorSuccess) {
        return writable;
    }
    const std::u16string leaf = target.path.back();
    target.path.pop_back();
    winereg::Key* owner = Find(target);
    owner->RemoveSubkey(leaf);
    owner->Touch(options_.clock());
    return Save(*target.file);
}

long FileRegistry::Node(platform::RegHandle key, Target& target, winereg::Key*& node,
                        long rootMissing) {
    if (const long located = LocateHandle(key, {}, target); located != kErrorSuccess) {
        return located;
    }
    node = Find(target);
    if (node != nullptr) {
        return kErrorSuccess;
    }
    // A predefined key the file has no node for yet reads as empty.
    return IsRootHandle(key) ? rootMissing : kErrorKeyDeleted;
}

long FileRegistry::DeleteValue(platform::RegHandle key, std::string_view name) {
    Target target;
    winereg::Key* node = nullptr;
    if (const long found = Node(key, target, node, kErrorFileNotFound); found != kErrorSuccess) {
        return found;
    }
    const std::u16string valueName = text::ToUtf16(name);
    if (node->FindValue(valueName) == nullptr) {
        return kErrorFileNotFound;
    }
    if (const long writable = CheckWritable(); writable != kErrorSuccess) {
        return writable;
    }
    node->RemoveValue(valueName);
    node->Touch(options_.clock());
    return Save(*target.file);
}

long FileRegistry::EnumKey(platform::RegHandle key, std::uint32_t index, std::string& name) {
    Target target;
    winereg::Key* node = nullptr;
    if (const long found = Node(key, target, node, kErrorNoMoreItems); found != kErrorSuccess) {
        return found;
    }
    if (index >= node->subkeys.size()) {
        return kErrorNoMoreItems;
    }
    name = text::FromUtf16(node->subkeys[index]->name);
    return kErrorSuccess;
}

long FileRegistry::EnumValue(platform::RegHandle key, std::uint32_t index, std::string& name) {
    Target target;
    winereg::Key* node = nullptr;
    if (const long found = Node(key, target, node, kErrorNoMoreItems); found != kErrorSuccess) {
        return found;
    }
    if (index >= node->values.size()) {
        return kErrorNoMoreItems;
    }
    name = text::FromUtf16(node->values[index].name);
    return kErrorSuccess;
}

long FileRegistry::QueryValue(platform::RegHandle key, std::string_view name, std::uint32_t& type,
                              std::string& data) {
    Target target;
    winereg::Key* node = nullptr;
    if (const long found = Node(key, target, node, kErrorFileNotFound); found != kErrorSuccess) {
        return found;
    }
    const winereg::Value* value = node->FindValue(text::ToUtf16(name));
    if (value == nullptr) {
        return kErrorFileNotFound;
    }
    type = value->type;
    data = platform::IsStringType(type) ? StringData(value->data) : value->data;
    return kErrorSuccess;
}

long FileRegistry::SetValue(platform::RegHandle key, std::string_view name, std::uint32_t type,
                            std::string_view data) {
    Target target;
    winereg::Key* node = nullptr;
    long found = Node(key, target, node, kErrorFileNotFound);
    if (found == kErrorFileNotFound) {
        // A value on a predefined key whose node is missing: make the node first.
        found = CreateKey(key, {});
        if (found == kErrorSuccess) {
            found = Node(key, target, node, kErrorFileNotFound);
        }
    }
    if (found != kErrorSuccess) {
        return found;
    }
    if (const long writable = CheckWritable(); writable != kErrorSuccess) {
        return writable;
    }
    node->SetValue(text::ToUtf16(name), type,
                   platform::IsStringType(type) ? RegistryBytes(data) : std::string(data));
    node->Touch(options_.clock());
    return Save(*target.file);
}

}  // namespace marvok
