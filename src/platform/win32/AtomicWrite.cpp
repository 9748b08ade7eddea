#include "platform/AtomicWrite.h"

#include <algorithm>
#include <atomic>

#include "platform/win32/WideText.h"

namespace marvok::platform {
namespace {

using win32::UniqueHandle;

// Attributes that belong to the file, not to its place or state, and so pass to the new copy.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A symbolic link is replaced through: the file it points to is the one rewritten. The final
// path of the open file is asked for every existing target, since Wine does not mark its Unix
// links as reparse points.
std::wstring FollowLink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return path;
    }
    UniqueHandle file(CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        return path;
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(
        file.Get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.assign(length, L'\0');
        length = GetFinalPathNameByHandleW(file.Get(), final.data(),
                                           static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    }
    if (length == 0 || length >= final.size()) {
        return path;
    }
    final.resize(length);
    return final;
}

// A name for the temporary file that no other writer picks at the same time.
std::wstring TemporaryName(const std::wstring& folder, const std::wstring& base, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const unsigned long long stamp = GetTickCount64();
    const unsigned long long mix = (stamp << 20) ^ (GetCurrentProcessId() << 8) ^
                                   counter.fetch_add(1) ^ (attempt * 0x9E3779B9u);
    std::wstring suffix = L".";
    for (int shift = 28; shift >= 0; shift -= 4) {
        suffix += L"0123456789abcdef"[(mix >> shift) & 0xF];
    }
    return folder + L"~" + base + suffix + L".tmp";
}

bool IsTemporaryOf(const std::wstring& name, const std::wstring& base) {
    const std::wstring head = L"~" + base + L".";
    if (name.size() != head.size() + 12 || name.compare(0, head.size(), head) != 0 ||
        name.compare(name.size() - 4, 4, L".tmp") != 0) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(head.size()), name.end() - 4,
                       [](wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'); });
}

// A save keeps its temporary file open, allowing no one else to open it, until the file has its
// final name. So a temporary that can be opened exclusively belongs to a save that was killed:
// it is deleted on closing that handle. One of a save under way refuses the open and stays.
void RemoveStaleTemporaries(const std::wstring& folder, const std::wstring& base) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"~" + base + L".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            IsTemporaryOf(found.cFileName, base)) {
            UniqueHandle stale(CreateFileW((folder + found.cFileName).c_str(), DELETE, 0, nullptr,
                                           OPEN_EXISTING,
                                           FILE_FLAG_DELETE_ON_CLOSE | FILE_ATTRIBUTE_NORMAL,
                                           nullptr));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::string Fail(DWORD error, const std::wstring& temp) {
    if (!temp.empty()) {
        DeleteFileW(temp.c_str());
    }
    return win32::SystemMessage(error);
}

}  // namespace

std::string WriteFileAtomically(const std::string& nativePath, std::string_view bytes) {
    const auto wide = win32::ToWin32Path(nativePath);
    if (!wide || wide->empty()) {
        return win32::SystemMessage(ERROR_INVALID_NAME);
    }
    const std::wstring target = FollowLink(*wide);
    const auto separator = target.find_last_of(L"\\/");
    const std::wstring folder =
        separator == std::wstring::npos ? L"" : target.substr(0, separator + 1);
    const std::wstring base =
        separator == std::wstring::npos ? target : target.substr(separator + 1);
    if (base.empty()) {
        return win32::SystemMessage(ERROR_INVALID_NAME);
    }

    // A read-only file refuses to be replaced, as it refuses a write (Wine would rename over it).
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY) != 0 &&
        (old & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return Fail(ERROR_ACCESS_DENIED, {});
    }

    RemoveStaleTemporaries(folder, base);

    // Only a rename may open the temporary file beside us (see RemoveStaleTemporaries).
    std::wstring temp;
    UniqueHandle file;
    for (unsigned attempt = 0; attempt < 16 && !file.Valid(); ++attempt) {
        temp = TemporaryName(folder, base, attempt);
        HANDLE created = CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        file = UniqueHandle(created);
        if (!file.Valid() && error != ERROR_FILE_EXISTS) {
            return Fail(error, {});
        }
    }
    if (!file.Valid()) {
        return Fail(ERROR_FILE_EXISTS, {});
    }
    auto fail = [&](DWORD error) {
        file.Reset();
        return Fail(error, temp);
    };

    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        DWORD done = 0;
        const BOOL ok = WriteFile(file.Get(), bytes.data() + written, chunk, &done, nullptr);
        if (!ok || done == 0) {
            return fail(ok ? ERROR_WRITE_FAULT : GetLastError());
        }
        written += done;
    }
    if (!FlushFileBuffers(file.Get())) {
        return fail(GetLastError());
    }

    // The new copy keeps what the old one was marked as (hidden, system, ...).
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        (old & kKeptAttributes) != 0) {
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = old & kKeptAttributes;
        if (!SetFileInformationByHandle(file.Get(), FileBasicInfo, &basic, sizeof basic)) {
            return fail(GetLastError());
        }
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        file.Reset();
        SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        return Fail(error, temp);
    }
    if (!file.Reset()) {
        return win32::SystemMessage(GetLastError());
    }
    return {};
}

}  // namespace marvok::platform
