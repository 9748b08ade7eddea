#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/SettingsStore.h"

namespace marvok::platform {
namespace {

// Each run works under an application name of its own and removes it afterwards.
class SettingsStoreTest : public ::testing::Test {
  protected:
    SettingsStoreTest()
        : appName_("Marvok Test " + std::to_string(GetCurrentProcessId())),
          store_(CreateSettingsStore(appName_)) {}
    ~SettingsStoreTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, AppKey().c_str()); }

    std::wstring AppKey() const {
        return L"Software\\VB and VBA Program Settings\\Marvok Test " +
               std::to_wstring(GetCurrentProcessId());
    }
    // The raw value as the registry holds it, with its type.
    std::wstring RawValue(const std::wstring& section, const std::wstring& name,
                          DWORD* type) const {
        wchar_t buffer[256] = {};
        DWORD size = sizeof buffer;
        const LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, (AppKey() + L"\\" + section).c_str(), name.c_str(),
                         RRF_RT_ANY | RRF_NOEXPAND, type, buffer, &size);
        return status == ERROR_SUCCESS ? buffer : L"<missing>";
    }

    std::string appName_;
    std::unique_ptr<SettingsStore> store_;
};

TEST_F(SettingsStoreTest, WritesTextWhereVbKeepsItAndReadsItBackIgnoringCase) {
    EXPECT_FALSE(store_->Read("Prefs", "ViewMode"));
    ASSERT_EQ(store_->Write("userDir", "path(0)", "C:\\My Pods"), "");
    DWORD type = 0;
    EXPECT_EQ(RawValue(L"userDir", L"path(0)", &type), L"C:\\My Pods");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(store_->Write("Prefs", "keepOnTop", "24"), "");
    ASSERT_EQ(store_->Write("Prefs", "KeepOnTop", "30"), "");
    ASSERT_EQ(store_->Write("userDir", "path(1)", ""), "");
    ASSERT_EQ(store_->Write("userDir", "path(2)", "C:\\Spiele\\Zoë\\Größe"), "");
    const std::pair<std::string, std::optional<std::string>> reads[] = {
        {"userDir|path(0)", "C:\\My Pods"}, {"Prefs|keepontop", "30"}, {"PREFS|keepOnTop", "30"},
        {"userDir|path(1)", ""},  {"userDir|path(2)", "C:\\Spiele\\Zoë\\Größe"},
        // A missing name, or a name missing from its section, reads as nothing.
        {"Prefs|SortMode", std::nullopt}, {"userDir|keepOnTop", std::nullopt}};
    for (const auto& [where, expected] : reads) {
        const auto bar = where.find('|');
        EXPECT_EQ(store_->Read(where.substr(0, bar), where.substr(bar + 1)), expected) << where;
    }
}

TEST_F(SettingsStoreTest, AValueOfAnotherTypeReadsAsNothing) {
    ASSERT_EQ(store_->Write("Prefs", "ViewMode", "2"), "");
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, (AppKey() + L"\\Prefs").c_str(), 0, KEY_SET_VALUE, &key),
        ERROR_SUCCESS);
    const DWORD number = 2;
    RegSetValueExW(key, L"FolderDepth", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    RegCloseKey(key);
    EXPECT_FALSE(store_->Read("Prefs", "FolderDepth"));
    EXPECT_EQ(store_->Read("Prefs", "ViewMode"), "2");
}

}  // namespace
}  // namespace marvok::platform
