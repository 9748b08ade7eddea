// HKEY_LOCAL_MACHINE is reached in the 32-bit view, where the 32-bit game looks: a 64-bit Marvok
// writing the game's keys must land in Software\Wow6432Node.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "RegistrySandbox.h"

namespace marvok::test {
namespace {

bool NativeKeyExists(const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

TEST(Win32Registry, MachineKeysLiveInThe32BitView) {
    auto sandbox = PlatformBackends().at(0).make();
    platform::Registry& registry = sandbox->Registry();
    platform::RegHandle root = 0;
    ASSERT_EQ(registry.OpenKey(platform::kHkeyLocalMachine, "", root), 0);
    ASSERT_EQ(registry.CreateKey(root, sandbox->Path("View")), 0);
    registry.CloseKey(root);
    platform::RegHandle key = 0;
    ASSERT_EQ(registry.OpenKey(platform::kHkeyLocalMachine, sandbox->Path("View"), key), 0);
    ASSERT_EQ(registry.SetValue(key, "v", platform::kRegSz, std::string("x\0", 2)), 0);
    registry.CloseKey(key);

    // Base() is "Software\MarvokTest-..."; its 32-bit home is below Wow6432Node.
    const std::string rest = sandbox->Base().substr(std::string("Software").size());
    const std::wstring wideRest(rest.begin(), rest.end());
    if (!NativeKeyExists(L"Software\\Wow6432Node", KEY_WOW64_64KEY)) {
        GTEST_SKIP() << "a 32-bit system has a single view";
    }
    EXPECT_TRUE(NativeKeyExists(L"Software\\Wow6432Node" + wideRest + L"\\View", KEY_WOW64_64KEY));
    EXPECT_FALSE(NativeKeyExists(L"Software" + wideRest + L"\\View", KEY_WOW64_64KEY));

    // Deleting reaches the same view.
    ASSERT_EQ(registry.OpenKey(platform::kHkeyLocalMachine, sandbox->Base(), key), 0);
    EXPECT_EQ(registry.DeleteKey(key, "View"), 0);
    registry.CloseKey(key);
    EXPECT_FALSE(NativeKeyExists(L"Software\\Wow6432Node" + wideRest + L"\\View", KEY_WOW64_64KEY));
}

}  // namespace
}  // namespace marvok::test
