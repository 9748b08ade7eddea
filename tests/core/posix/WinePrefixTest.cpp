#include <gtest/gtest.h>

#include "platform/posix/WinePrefix.h"
#include "support/TestNames.h"
#include "support/WineShortNameCases.h"

namespace marvok::platform {
namespace {

struct ShortNameCase {
    const char* longName;
    const char* shortName;
};

class WineShortNames : public ::testing::TestWithParam<ShortNameCase> {};

TEST_P(WineShortNames, MatchWhatWineReports) {
    EXPECT_EQ(WineShortName(GetParam().longName), GetParam().shortName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WineShortNames,
    ::testing::Values(ShortNameCase{"Program Files", "PROG~FBU"},
                      ShortNameCase{"Common Files", "COMM~CP1"},
                      ShortNameCase{"InstallShield", "INST~JM1"},
                      ShortNameCase{"Microsoft Visual Studio", "MICR~2ZC"},
                      ShortNameCase{"Microsoft Visual Studio .NET 2003", "MICR~2RR.NET"},
                      // Legal 8.3 names are kept as they are, letter case included.
                      ShortNameCase{"pods", "pods"}, ShortNameCase{"MTM2", "MTM2"},
                      ShortNameCase{"readme.txt", "readme.txt"}),
    [](const auto& param) { return test::CaseName(param.param.longName); });

// Names beyond Latin-1 and names ending in a dot, as Wine itself shortens them.
class WineShortNamesSeenUnderWine : public ::testing::TestWithParam<test::WineShortNameCase> {};

TEST_P(WineShortNamesSeenUnderWine, MatchWhatWineReports) {
    EXPECT_EQ(WineShortName(GetParam().longName), GetParam().shortName);
}

INSTANTIATE_TEST_SUITE_P(Names, WineShortNamesSeenUnderWine,
                         ::testing::ValuesIn(test::WineShortNameCases()),
                         [](const auto& param) { return std::string(param.param.caseName); });

TEST(WineShortNames, WhatMakesANameIllegal) {
    EXPECT_TRUE(IsLegalShortName("ABCDEFGH.TXT"));
    EXPECT_FALSE(IsLegalShortName("ABCDEFGHI"));
    EXPECT_FALSE(IsLegalShortName("a.b.c"));
    EXPECT_FALSE(IsLegalShortName("a.text"));
    EXPECT_FALSE(IsLegalShortName("pods."));
    EXPECT_FALSE(IsLegalShortName(".hidden"));
    EXPECT_FALSE(IsLegalShortName("my pods"));
    EXPECT_FALSE(IsLegalShortName("a+b"));
    EXPECT_FALSE(IsLegalShortName("été"));
}

TEST(WineShortNames, HashedNamesHoldNoBlankAndKeepTheShape) {
    for (const char* name : {"my pods", "a b c.d e f", "été pods", "x", "..odd..name.."}) {
        const std::string shortName = HashedShortName(name);
        EXPECT_EQ(shortName.find(' '), std::string::npos) << name;
        EXPECT_EQ(shortName.find('~'), shortName.find_first_of('~')) << name;
        EXPECT_LE(shortName.size(), 12u) << name;
    }
    EXPECT_EQ(HashedShortName("ab").substr(0, 5), "AB~~~");
}

}  // namespace
}  // namespace marvok::platform
