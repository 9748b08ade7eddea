#include <gtest/gtest.h>

#include "common/Text.h"

namespace marvok::text {
namespace {

TEST(Text, CaseFoldingKnowsTheCodePageLettersAndNothingBeside) {
    // '@' and '[' sit just outside A..Z, '×' and '÷' inside the accented ranges.
    EXPECT_EQ(LowerCase("@AZ[MAIN.POD"), "@az[main.pod");
    EXPECT_EQ(LowerCase("ÀÉÞ\\Ÿ×ŠŒŽ"), "àéþ\\ÿ×šœž");
    EXPECT_EQ(UpperCase("`az{straße÷ÿšœž"), "`AZ{STRAßE÷ŸŠŒŽ");
    EXPECT_TRUE(EqualsIgnoringCase("Fixes\\FixMore4.pod", "fixes\\fixmore4.POD"));
    EXPECT_TRUE(EqualsIgnoringCase("Z@", "z@"));
    EXPECT_FALSE(EqualsIgnoringCase("[", "{"));
    // Past the plain letters, and where one text is the start of the other.
    EXPECT_TRUE(EqualsIgnoringCase("Mods\\ÉTÉ.pod", "mods\\été.POD"));
    EXPECT_FALSE(EqualsIgnoringCase("Mods\\ÉTÉ.pod", "mods\\ete.pod"));
    EXPECT_FALSE(EqualsIgnoringCase("main.pod", "main.pods"));
    EXPECT_FALSE(EqualsIgnoringCase("main", "mainé"));
    EXPECT_FALSE(EqualsIgnoringCase("a.pod", "b.pod"));
    EXPECT_TRUE(EqualsIgnoringCase("", ""));
    EXPECT_TRUE(EndsWithIgnoringCase("list.INI", ".ini"));
    EXPECT_TRUE(EndsWithIgnoringCase(".ini", ".INI"));
    EXPECT_FALSE(EndsWithIgnoringCase("ini", ".ini"));
}

TEST(Text, Windows1252RoundTripsEveryByteAndRefusesTheRest) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
    EXPECT_EQ(FromWindows1252("\x80\x9f caf\xe9"), "€Ÿ café");
    EXPECT_EQ(ToWindows1252("€uro"), std::string("\x80uro"));
    EXPECT_EQ(ToWindows1252("caf\xC3\xA9"), std::optional<std::string>("caf\xE9"));
    for (const char* refused : {"日本.pod", "\xff\xfe", "a\xC0\xA9", "\xE0\x80\xAF", "\xED\xA0\x80",
                                "\xED\xBF\xBF", "\xC3", "\xF4\x90\x80\x80"}) {
        EXPECT_FALSE(ToWindows1252(refused)) << refused;  // overlong, surrogate, cut, too high
    }
}

TEST(Text, Utf16KeepsEveryCharacterAndReplacesWhatIsMalformed) {
    const std::string s = "a€\U0001F600\U0010FFFFz";
    EXPECT_EQ(ToUtf16(s).size(), 7u);
    EXPECT_EQ(FromUtf16(ToUtf16(s)), s);
    // Either side of the surrogate range is a character; its first and last are not.
    EXPECT_EQ(ToUtf16("\xED\x9F\xBF\xEE\x80\x80"), u"\uD7FF\uE000");
    EXPECT_EQ(ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(ToUtf16("\xED\xBF\xBF"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf16(std::u16string(1, char16_t{0xDFFF}) + u"x"), "\uFFFDx");
    EXPECT_EQ(FromUtf16(std::u16string(1, char16_t{0xD800})), "\uFFFD");
    // A pair is a pair whatever stands before it; a stray continuation byte is no character.
    EXPECT_EQ(FromUtf16(u"\uE000\U0001F600\U00010000"), "\uE000\U0001F600\U00010000");
    EXPECT_EQ(ToUtf16("a\x80"), u"a\uFFFD");
}

TEST(Text, ParseInt16TakesWholeNumbersInRange) {
    EXPECT_EQ(ParseInt16("24"), 24);
    EXPECT_EQ(ParseInt16(" -1 "), -1);
    EXPECT_EQ(ParseInt16("+7"), 7);
    EXPECT_EQ(ParseInt16("32767"), 32767);
    EXPECT_EQ(ParseInt16("-32768"), -32768);
    for (const char* refused : {"32768", "-32769", "7.5", "abc", "", "+", "12abc"}) {
        EXPECT_FALSE(ParseInt16(refused)) << refused;
    }
}

}  // namespace
}  // namespace marvok::text
