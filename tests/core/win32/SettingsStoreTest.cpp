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
    std::string appName_;
    std::unique_ptr<SettingsStore> store_;
};

TEST_F(SettingsStoreTest, WritesTextWhereVbKeepsItAndReadsItBackIgnoringCase) {
    EXPECT_FALSE(store_->Read("Prefs", "ViewMode"));
    ASSERT_EQ(store_->Write("userDir", "path(0)", "C:\\My Pods"), "");
    wchar_t raw[64] = {};
    DWORD size = sizeof raw;  // the value as the registry holds it, REG_SZ
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (AppKey() + L"\\userDir").c_str(), L"path(0)",
                           RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, raw, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(raw), L"C:\\My Pods");
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
    const DWORD number = 2;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (AppKey() + L"\\Prefs").c_str(), L"FolderDepth",
                              REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_FALSE(store_->Read("Prefs", "FolderDepth"));
    EXPECT_EQ(store_->Read("Prefs", "ViewMode"), "2");
}

}  // namespace
}  // namespace marvok::platform
