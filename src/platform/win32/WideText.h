#pragma once
// UTF-8 <-> UTF-16 for the wide Windows calls, the system's reason texts, and owners for the
// handles those calls hand out.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace marvok::platform::win32 {

// UTF-8 to UTF-16; nothing when the text holds a NUL (a Windows call would cut it there).
std::optional<std::wstring> Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A path for the wide file calls: long paths get the "\\?\" form that lifts the MAX_PATH limit.
// Nothing when the text holds a NUL.
std::optional<std::wstring> ToWin32Path(std::string_view path);
// A path that a file call handed back, without the "\\?\" form.
std::wstring FromWin32Path(std::wstring_view path);

// The system's text for an error code, without the trailing line break.
std::string SystemMessage(DWORD error);
// The reason for GetLastError().
std::string LastErrorMessage();

// Owns a kernel handle (file, mutex); INVALID_HANDLE_VALUE and null both mean none.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release() {
        HANDLE h = handle_;
        handle_ = nullptr;
        return h;
    }
    // Closes the held handle; answers whether that succeeded (a failed close can lose data).
    bool Reset(HANDLE handle = nullptr) {
        bool ok = true;
        if (Valid()) {
            ok = CloseHandle(handle_) != FALSE;
        }
        handle_ = handle;
        return ok;
    }

  private:
    HANDLE handle_ = nullptr;
};

// Owns a FindFirstFileExW search.
class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (Valid()) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// Owns an open registry key.
class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return key_; }
    // For the open and create calls to fill in.
    HKEY* Out() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace marvok::platform::win32
