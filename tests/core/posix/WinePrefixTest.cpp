#include <gtest/gtest.h>

#include "platform/posix/WinePrefix.h"
#include "support/WineShortNameCases.h"

namespace marvok::platform {
namespace {

// Names beyond Latin-1 and names ending in a dot as Wine itself shortens them, and others.
TEST(WineShortNames, MatchWhatWineReports) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"Common Files", "COMM~CP1"},
        {"InstallShield", "INST~JM1"},
        {"Microsoft Visual Studio", "MICR~2ZC"},
        {"Microsoft Visual Studio .NET 2003", "MICR~2RR.NET"},
        // Legal 8.3 names are kept as they are, letter case included.
        {"pods", "pods"},
        {"MTM2", "MTM2"},
        {"readme.txt", "readme.txt"}};
    for (const auto& c : test::WineShortNameCases()) {
        cases.emplace_back(c.longName, c.shortName);
    }
    for (const auto& [longName, shortName] : cases) {
        EXPECT_EQ(WineShortName(longName), shortName) << longName;
    }
}

TEST(WineShortNames, WhatMakesANameIllegalAndHashedNamesKeepTheShape) {
    EXPECT_TRUE(IsLegalShortName("ABCDEFGH.TXT"));
    for (const char* name :
         {"ABCDEFGHI", "a.b.c", "a.text", "pods.", ".hidden", "my pods", "a+b", "été"}) {
        EXPECT_FALSE(IsLegalShortName(name)) << name;
    }
    for (const char* name : {"my pods", "a b c.d e f", "été pods", "x", "..odd..name.."}) {
        const std::string shortName = HashedShortName(name);
        EXPECT_EQ(shortName.find(' '), std::string::npos) << name;
        EXPECT_LE(shortName.size(), 12u) << name;
    }
    EXPECT_EQ(HashedShortName("ab").substr(0, 5), "AB~~~");
}

}  // namespace
}  // namespace marvok::platform
