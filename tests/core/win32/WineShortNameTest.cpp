// Our short names next to Wine's own GetShortPathNameW, on folders made for the purpose.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/WineShortName.h"
#include "platform/win32/WideText.h"
#include "support/TestGameFolder.h"
#include "support/WineShortNameCases.h"

namespace marvok::platform {
namespace {

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class WineShortNameSystem : public ::testing::TestWithParam<test::WineShortNameCase> {};

TEST_P(WineShortNameSystem, IsTheNameWineGives) {
    if (!UnderWine()) {
        GTEST_SKIP() << "Windows asks the file system for its short names";
    }
    test::TestGameFolder game;
    // The \\?\ form keeps a trailing dot, as a Linux folder name may have one.
    const std::wstring folder = L"\\\\?\\" + *win32::Widen(game.Folder()) + L"\\" +
                                *win32::Widen(GetParam().longName);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    std::wstring buffer(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(folder.c_str(), buffer.data(), MAX_PATH);
    ASSERT_GT(length, 0u) << GetLastError();
    buffer.resize(length);
    const std::string wine = win32::Narrow(buffer.substr(buffer.find_last_of(L'\\') + 1));
    EXPECT_EQ(WineShortName(GetParam().longName), wine);
    EXPECT_EQ(wine, GetParam().shortName);
    RemoveDirectoryW(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(Names, WineShortNameSystem,
                         ::testing::ValuesIn(test::WineShortNameCases()),
                         [](const auto& param) { return std::string(param.param.caseName); });

}  // namespace
}  // namespace marvok::platform
