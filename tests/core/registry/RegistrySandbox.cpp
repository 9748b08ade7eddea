#include "RegistrySandbox.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#endif

namespace marvok::test {

RegistrySandbox::RegistrySandbox(const std::string& backend) {
    if (backend == "FileStore") {
        registry_ = std::make_unique<FileRegistry>(FileOptions(folder_));
        return;
    }
#ifdef _WIN32
    // The real registry (Wine's, on the Windows test run), in keys of the test's own.
    static std::atomic<int> counter{0};
    native_ = true;
    registry_ = platform::CreateRegistry("");
    base_ += "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
#endif
}

RegistrySandbox::~RegistrySandbox() {
#ifdef _WIN32
    // HKEY_LOCAL_MACHINE in the 32-bit view the registry class uses.
    const std::wstring leaf(base_.begin() + 9, base_.end());
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY software = nullptr;
        if (native_ &&
            RegOpenKeyExW(root, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software) == 0) {
            RegDeleteTreeW(software, leaf.c_str());
            RegCloseKey(software);
        }
    }
#endif
}

}  // namespace marvok::test
