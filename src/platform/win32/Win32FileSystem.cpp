#include "platform/win32/Win32FileSystem.h"

#include <algorithm>

#include "platform/AtomicWrite.h"
#include "platform/win32/WideText.h"

namespace marvok::platform {
namespace {

using win32::FindHandle;
using win32::ToWin32Path;
using win32::UniqueHandle;

struct EntryFacts {
    bool isDirectory = false;
    std::uint64_t size = 0;
};

// What is at a path, through a symbolic link to what it points to (a dangling link is nothing).
std::optional<EntryFacts> Stat(std::string_view path) {
    const auto wide = ToWin32Path(path);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return EntryFacts{(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                          (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow};
    }
    // Opening follows the link; backup semantics lets a folder be opened too.
    UniqueHandle file(CreateFileW(wide->c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.Valid() || !GetFileInformationByHandle(file.Get(), &info)) {
        return std::nullopt;
    }
    return EntryFacts{(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                      (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow};
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::optional<EntryKind> Win32FileSystem::Attributes(std::string_view path) const {
    auto facts = Stat(path);
    if (!facts) {
        return std::nullopt;
    }
    return facts->isDirectory ? EntryKind::Directory : EntryKind::File;
}

std::optional<std::uint64_t> Win32FileSystem::FileSize(std::string_view path) const {
    auto facts = Stat(path);
    if (!facts || facts->isDirectory) {
        return std::nullopt;
    }
    return facts->size;
}

bool Win32FileSystem::ListDirectory(std::string_view folder,
                                    std::vector<DirectoryEntry>& entries) const {
    entries.clear();
    if (folder.empty()) {
        return false;
    }
    std::string pattern(folder);
    if (!IsSeparator(pattern.back())) {
        pattern += '\\';
    }
    pattern += '*';
    const auto wide = ToWin32Path(pattern);
    if (!wide) {
        return false;
    }
    WIN32_FIND_DATAW data{};
    FindHandle find(FindFirstFileExW(wide->c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.Valid()) {
        // An empty drive root has no "." entry: that is an empty folder, not a failure.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) {
            return false;
        }
        const auto facts = Stat(folder);
        return facts && facts->isDirectory;
    }
    do {
        const std::wstring_view name(data.cFileName);
        if (name == L"." || name == L"..") {
            continue;
        }
        entries.push_back(
            {win32::Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.Get(), &data));
    return true;
}

ReadResult Win32FileSystem::ReadFile(std::string_view path, std::size_t maxBytes) const {
    ReadResult result;
    const auto wide = ToWin32Path(path);
    if (!wide || wide->empty()) {
        result.error = win32::SystemMessage(ERROR_INVALID_NAME);
        return result;
    }
    UniqueHandle file(CreateFileW(wide->c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) {
        result.error = win32::LastErrorMessage();
        return result;
    }
    // A pipe or a device (CON) would wait for input that may never come.
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        result.error = kNotARegularFile;
        return result;
    }
    constexpr DWORD kChunk = 1 << 20;
    std::string bytes;
    while (bytes.size() < maxBytes) {
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(kChunk, maxBytes - bytes.size()));
        const std::size_t at = bytes.size();
        bytes.resize(at + want);
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes.data() + at, want, &got, nullptr)) {
            result.error = win32::LastErrorMessage();
            return result;
        }
        bytes.resize(at + got);
        if (got == 0) {
            break;
        }
    }
    result.bytes = std::move(bytes);
    result.ok = true;
    return result;
}

std::string Win32FileSystem::WriteFileAtomic(std::string_view path, std::string_view bytes) {
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        return win32::SystemMessage(ERROR_INVALID_NAME);
    }
    return WriteFileAtomically(std::string(path), bytes);
}

std::string Win32FileSystem::ShortPath(std::string_view path) const {
    const auto wide = ToWin32Path(path);
    if (!wide || wide->empty()) {
        return {};
    }
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length =
        GetShortPathNameW(wide->c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length, L'\0');
        length = GetShortPathNameW(wide->c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size()) {
        return {};
    }
    buffer.resize(length);
    const std::wstring shortPath = win32::FromWin32Path(buffer);
    // A volume without 8.3 names hands back the long form; with a blank in it, there is no
    // space-free form to give.
    if (shortPath.size() > 164 || shortPath.find(L' ') != std::wstring::npos) {
        return {};
    }
    return win32::Narrow(shortPath);
}

bool Win32FileSystem::IsNativeAbsolute(std::string_view) const {
    return false;
}

std::string Win32FileSystem::NativePath(std::string_view path) const {
    return std::string(path);
}

std::unique_ptr<FileSystem> CreateFileSystem(std::string_view) {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace marvok::platform
