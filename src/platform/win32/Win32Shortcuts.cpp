// Shell links through IShellLinkW and IPersistFile.

#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <atomic>
#include <vector>

#include "platform/AtomicWrite.h"
#include "platform/ShellLink.h"
#include "platform/win32/WideText.h"

namespace marvok::platform {
namespace {

// COM for this thread while the owner lives; uninitialised only after a successful start.
class ComApartment {
  public:
    ComApartment()
        : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // A thread already in another apartment model can still use COM.
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
    HRESULT Result() const { return result_; }

  private:
    HRESULT result_;
};

template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* operator->() const { return pointer_; }
    void** Out() { return reinterpret_cast<void**>(&pointer_); }

  private:
    T* pointer_ = nullptr;
};

std::string Reason(HRESULT result) {
    return win32::SystemMessage(static_cast<DWORD>(result));
}

constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The path as the wide calls take it, when it names an ordinary file. Wildcards are not names.
std::optional<std::wstring> FindOrdinaryFile(std::string_view path) {
    if (path.find_first_of("*?") != std::string_view::npos) {
        return std::nullopt;
    }
    const auto wide = win32::ToWin32Path(path);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    WIN32_FIND_DATAW data{};
    win32::FindHandle search(
        FindFirstFileExW(wide->c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!search.Valid() || (data.dwFileAttributes & kNotOrdinary) != 0) {
        return std::nullopt;
    }
    return wide;
}

std::wstring TemporaryName(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    const auto separator = target.find_last_of(L"\\/");
    const std::wstring folder =
        separator == std::wstring::npos ? L"" : target.substr(0, separator + 1);
    const std::wstring base =
        separator == std::wstring::npos ? target : target.substr(separator + 1);
    const unsigned long long mix = (GetTickCount64() << 16) ^
                                   (static_cast<unsigned long long>(GetCurrentProcessId()) << 8) ^
                                   counter.fetch_add(1);
    std::wstring suffix = L".";
    for (int shift = 28; shift >= 0; shift -= 4) {
        suffix += L"0123456789abcdef"[(mix >> shift) & 0xF];
    }
    return folder + L"~" + base + suffix + L".tmp";
}

// A buffer's text up to its first NUL.
std::string TextOf(const std::vector<wchar_t>& buffer) {
    return win32::Narrow(buffer.data());
}

class Win32Shortcuts final : public ShellLinks {
  public:
    std::string_view Suffix() const override { return ".lnk"; }

    std::string Save(std::string_view linkPath, const ShellLinkProperties& properties) override {
        if (!apartment_.Usable()) {
            return Reason(apartment_.Result());
        }
        const auto target = win32::ToWin32Path(linkPath);
        if (!target || target->empty()) {
            return win32::SystemMessage(ERROR_INVALID_NAME);
        }
        ComPtr<IShellLinkW> link;
        HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkW, link.Out());
        if (FAILED(result)) {
            return Reason(result);
        }
        const auto set = [&](const std::string& value, auto&& apply) {
            if (FAILED(result) || value.empty()) {
                return;
            }
            const auto wide = win32::Widen(value);
            result = wide ? apply(wide->c_str()) : E_INVALIDARG;
        };
        set(properties.targetPath, [&](const wchar_t* v) { return link->SetPath(v); });
        set(properties.description, [&](const wchar_t* v) { return link->SetDescription(v); });
        set(properties.arguments, [&](const wchar_t* v) { return link->SetArguments(v); });
        set(properties.workingDirectory,
            [&](const wchar_t* v) { return link->SetWorkingDirectory(v); });
        const IconLocation icon = SplitIconLocation(properties.iconLocation);
        set(icon.path, [&](const wchar_t* v) { return link->SetIconLocation(v, icon.index); });
        if (SUCCEEDED(result)) {
            result = link->SetShowCmd(static_cast<int>(properties.windowStyle));
        }
        if (FAILED(result)) {
            return Reason(result);
        }
        ComPtr<IPersistFile> file;
        result = link->QueryInterface(IID_IPersistFile, file.Out());
        if (FAILED(result)) {
            return Reason(result);
        }
        // Saved beside the target and renamed over it, so no half-written link is left.
        const std::wstring temp = TemporaryName(*target);
        result = file->Save(temp.c_str(), TRUE);
        if (FAILED(result)) {
            DeleteFileW(temp.c_str());
            return Reason(result);
        }
        if (!MoveFileExW(temp.c_str(), target->c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = GetLastError();
            DeleteFileW(temp.c_str());
            return win32::SystemMessage(error);
        }
        return {};
    }

    std::optional<ShellLinkProperties> Load(std::string_view linkPath) const override {
        const auto path = FindOrdinaryFile(linkPath);
        if (!apartment_.Usable() || !path) {
            return std::nullopt;
        }
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.Out())) ||
            FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) ||
            FAILED(file->Load(path->c_str(), STGM_READ))) {
            return std::nullopt;
        }
        constexpr int kSize = 32768;
        std::vector<wchar_t> buffer(kSize, L'\0');
        ShellLinkProperties properties;
        if (SUCCEEDED(link->GetPath(buffer.data(), kSize, nullptr, SLGP_RAWPATH))) {
            properties.targetPath = TextOf(buffer);
        }
        buffer.assign(kSize, L'\0');
        if (SUCCEEDED(link->GetArguments(buffer.data(), kSize))) {
            properties.arguments = TextOf(buffer);
        }
        buffer.assign(kSize, L'\0');
        if (SUCCEEDED(link->GetDescription(buffer.data(), kSize))) {
            properties.description = TextOf(buffer);
        }
        buffer.assign(kSize, L'\0');
        if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), kSize))) {
            properties.workingDirectory = TextOf(buffer);
        }
        buffer.assign(kSize, L'\0');
        int index = 0;
        if (SUCCEEDED(link->GetIconLocation(buffer.data(), kSize, &index)) && buffer[0] != L'\0') {
            properties.iconLocation = TextOf(buffer) + "," + std::to_string(index);
        }
        int show = SW_SHOWNORMAL;
        if (SUCCEEDED(link->GetShowCmd(&show))) {
            properties.windowStyle = show;
        }
        return properties;
    }

    std::string QuoteArgument(std::string_view argument) const override {
        // The program reads its raw command line, where quotes would belong to the file name.
        return std::string(argument);
    }

    bool OrdinaryFileExists(std::string_view path) const override {
        return FindOrdinaryFile(path).has_value();
    }

    std::string Remove(std::string_view path) override {
        const auto wide = FindOrdinaryFile(path);
        if (!wide) {
            return win32::SystemMessage(ERROR_FILE_NOT_FOUND);
        }
        if (!DeleteFileW(wide->c_str())) {
            return win32::LastErrorMessage();
        }
        return {};
    }

    std::string WriteTextFile(std::string_view path, std::string_view utf8Text) override {
        const auto wide = win32::Widen(utf8Text);
        if (!wide) {
            return win32::SystemMessage(ERROR_INVALID_DATA);
        }
        std::string bytes;
        if (!wide->empty()) {
            const int size =
                WideCharToMultiByte(CP_ACP, 0, wide->data(), static_cast<int>(wide->size()),
                                    nullptr, 0, nullptr, nullptr);
            bytes.assign(static_cast<std::size_t>(size), '\0');
            WideCharToMultiByte(CP_ACP, 0, wide->data(), static_cast<int>(wide->size()),
                                bytes.data(), size, nullptr, nullptr);
        }
        return WriteFileAtomically(std::string(path), bytes);
    }

  private:
    ComApartment apartment_;
};

}  // namespace

std::unique_ptr<ShellLinks> CreateShellLinks() {
    return std::make_unique<Win32Shortcuts>();
}

}  // namespace marvok::platform
