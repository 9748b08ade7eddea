// The real registry (Wine's, on the Windows test run), in keys of the test's own.

#include <atomic>
#include <string>

#include <windows.h>

#include "RegistrySandbox.h"

namespace marvok::test {
namespace {

class Win32Sandbox final : public RegistrySandbox {
  public:
    Win32Sandbox() : registry_(platform::CreateRegistry("")) {
        static std::atomic<int> counter{0};
        base_ = "Software\\MarvokTest-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter++);
    }
    ~Win32Sandbox() override {
        DeleteTree(*registry_, platform::kHkeyCurrentUser, base_);
        DeleteTree(*registry_, platform::kHkeyLocalMachine, base_);
    }
    platform::Registry& Registry() override { return *registry_; }

  private:
    std::unique_ptr<platform::Registry> registry_;
};

}  // namespace

std::vector<Backend> PlatformBackends() {
    return {{"Win32", [] { return std::make_unique<Win32Sandbox>(); }}};
}

}  // namespace marvok::test
