#include "platform/win32/WideText.h"

#include <climits>

namespace marvok::platform::win32 {

std::optional<std::wstring> Widen(std::string_view utf8) {
    if (utf8.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    if (utf8.empty()) {
        return std::wstring();
    }
    if (utf8.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty() || utf16.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int length = static_cast<int>(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
// Below this length every call takes the path as it is (folders must leave room for an 8.3 name).
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;

}  // namespace

std::optional<std::wstring> ToWin32Path(std::string_view path) {
    auto wide = Widen(path);
    if (!wide || wide->size() < kShortPathLimit || wide->starts_with(kLongPrefix)) {
        return wide;
    }
    // The "\\?\" form skips the usual clean-up, so the path is made full and clean first.
    const DWORD needed = GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return wide;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(wide->c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return wide;
    }
    full.resize(length);
    if (full.starts_with(L"\\\\.\\") || full.starts_with(L"\\\\?\\")) {
        return full;  // a device path is taken as it is
    }
    if (full.starts_with(L"\\\\")) {
        return std::wstring(kLongUncPrefix) + full.substr(2);
    }
    return std::wstring(kLongPrefix) + full;
}

std::wstring FromWin32Path(std::wstring_view path) {
    if (path.starts_with(kLongUncPrefix)) {
        return L"\\\\" + std::wstring(path.substr(kLongUncPrefix.size()));
    }
    if (path.starts_with(kLongPrefix)) {
        return std::wstring(path.substr(kLongPrefix.size()));
    }
    return std::wstring(path);
}

std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message;
    if (length > 0 && buffer != nullptr) {
        message.assign(buffer, length);
    }
    LocalFree(buffer);
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
        message.pop_back();
    }
    if (message.empty()) {
        return "Windows error " + std::to_string(error);
    }
    return Narrow(message);
}

std::string LastErrorMessage() {
    return SystemMessage(GetLastError());
}

}  // namespace marvok::platform::win32
