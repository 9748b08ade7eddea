// HKEY_LOCAL_MACHINE is reached in the 32-bit view, where the 32-bit game looks: a 64-bit Marvok
// writing the game's keys must land in Software\Wow6432Node.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "RegistrySandbox.h"

namespace marvok::test {
namespace {

bool NativeKeyExists(const std::string& path) {
    HKEY key = nullptr;
    const std::wstring wide(path.begin(), path.end());
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

TEST(Win32Registry, MachineKeysLiveInThe32BitView) {
    RegistrySandbox sandbox("Win32");
    platform::Registry& registry = sandbox.Registry();
    ASSERT_EQ(Put(registry, platform::kHkeyLocalMachine, sandbox.Path("View"), "v", 1, "x"), 0);
    if (!NativeKeyExists("Software\\Wow6432Node")) {
        GTEST_SKIP() << "a 32-bit system has a single view";
    }
    // Base() is "Software\MarvokTest-..."; its 32-bit home is below Wow6432Node.
    const std::string wow = "Software\\Wow6432Node" + sandbox.Base().substr(8) + "\\View";
    EXPECT_TRUE(NativeKeyExists(wow));
    EXPECT_FALSE(NativeKeyExists(sandbox.Path("View")));
    // Deleting reaches the same view.
    platform::RegHandle key = 0;
    ASSERT_EQ(registry.OpenKey(platform::kHkeyLocalMachine, sandbox.Base(), key), 0);
    EXPECT_EQ(registry.DeleteKey(key, "View"), 0);
    registry.CloseKey(key);
    EXPECT_FALSE(NativeKeyExists(wow));
}

}  // namespace
}  // namespace marvok::test
