#include <gtest/gtest.h>

#include "shell/Text.h"

namespace marvok::text {
namespace {

TEST(Text, LowerCaseKnowsTheCodePageLetters) {
    EXPECT_EQ(LowerCase("MAIN.POD"), "main.pod");
    EXPECT_EQ(LowerCase("ÉTÉ\\Ÿ.POD"), "été\\ÿ.pod");
    EXPECT_EQ(LowerCase("×"), "×");  // not a letter
    EXPECT_EQ(UpperCase("straße"), "STRAßE");
    EXPECT_TRUE(EqualsIgnoringCase("Fixes\\FixMore4.pod", "fixes\\fixmore4.POD"));
    // Past the plain letters, and where one text is the start of the other.
    EXPECT_TRUE(EqualsIgnoringCase("Mods\\ÉTÉ.pod", "mods\\été.POD"));
    EXPECT_FALSE(EqualsIgnoringCase("Mods\\ÉTÉ.pod", "mods\\ete.pod"));
    EXPECT_FALSE(EqualsIgnoringCase("main.pod", "main.pods"));
    EXPECT_FALSE(EqualsIgnoringCase("main", "mainé"));
    EXPECT_FALSE(EqualsIgnoringCase("a.pod", "b.pod"));
    EXPECT_TRUE(EqualsIgnoringCase("", ""));
}

TEST(Text, Windows1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = FromWindows1252(all);
    EXPECT_EQ(ToWindows1252(utf8), all);
    EXPECT_EQ(FromWindows1252("\x80"), "€");
    EXPECT_EQ(FromWindows1252("caf\xe9"), "café");
}

TEST(Text, CharactersOutsideTheCodePageAreRefused) {
    EXPECT_FALSE(ToWindows1252("日本.pod"));
    EXPECT_FALSE(ToWindows1252("\xff\xfe"));  // not UTF-8 at all
    EXPECT_EQ(ToWindows1252("€uro"), std::string("\x80uro"));
}

TEST(Text, MalformedUtf8IsRefusedNotReadAsAnotherCharacter) {
    EXPECT_FALSE(
        ToWindows1252("a\xC0\xA9"
                      "b"));                      // ")" written the long way
    EXPECT_FALSE(ToWindows1252("\xE0\x80\xAF"));  // "/" likewise
    EXPECT_FALSE(ToWindows1252("\xED\xA0\x80"));  // a lone surrogate
    EXPECT_EQ(ToWindows1252("caf\xC3\xA9"), std::optional<std::string>("caf\xE9"));
}

TEST(Text, ParseInt16TakesWholeNumbersInRange) {
    EXPECT_EQ(ParseInt16("24"), 24);
    EXPECT_EQ(ParseInt16(" -1 "), -1);
    EXPECT_EQ(ParseInt16("+7"), 7);
    EXPECT_EQ(ParseInt16("32767"), 32767);
    EXPECT_EQ(ParseInt16("-32768"), -32768);
    EXPECT_FALSE(ParseInt16("32768"));
    EXPECT_FALSE(ParseInt16("7.5"));
    EXPECT_FALSE(ParseInt16("abc"));
    EXPECT_FALSE(ParseInt16(""));
    EXPECT_FALSE(ParseInt16("12abc"));
}

TEST(Text, Utf16RoundTripsOutsideTheBasicPlane) {
    const std::string s = "a€\U0001F600z";
    EXPECT_EQ(ToUtf16(s).size(), 5u);
    EXPECT_EQ(FromUtf16(ToUtf16(s)), s);
}

}  // namespace
}  // namespace marvok::text
