// The ini reader and writer against the Windows private-profile behaviour.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "shell/PrivateProfile.h"

namespace marvok {
namespace {

// A file as Notepad saves it as "Unicode": UTF-16 LE after its mark.
std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class PrivateProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PrivateProfileRead, FindsTheValueWindowsWould) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(PrivateProfile::Parse(c.content).Get(c.section, c.key), c.expected);
}

const std::string k49 = "Lucida Console,Lucida Console,Lucida Console Bold";

INSTANTIATE_TEST_SUITE_P(
    Cases, PrivateProfileRead,
    ::testing::Values(
        ReadCase{"SectionAndKeyIgnoreCase", "[FONTS]\r\ngosfontuseglobal=1\r\n", "Fonts",
                 "gOSFontUseGlobal", "1"},
        ReadCase{"DoubleQuotesRemoved", "[S]\r\nk=\"a b\"\r\n", "S", "k", "a b"},
        ReadCase{"SingleQuotesRemoved", "[S]\r\nk='x'\r\n", "S", "k", "x"},
        ReadCase{"UnmatchedQuotesKept", "[S]\r\nk=\"x'\r\n", "S", "k", "\"x'"},
        ReadCase{"LoneQuoteKept", "[S]\r\nk='\r\n", "S", "k", "'"},
        ReadCase{"EmptyQuotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
        ReadCase{"QuotesInsideKept", "[S]\r\nk=a\"b\"\r\n", "S", "k", "a\"b\""},
        ReadCase{"BlanksAroundNameAndValue", "[S]\r\n \t k \t= \t v  v \t\r\n", "S", "k", "v  v"},
        ReadCase{"BlanksAroundSectionName", "  [ S ]  \r\nk=1\r\n", "S", "k", "1"},
        ReadCase{"BlanksInRequestedNames", "[S]\r\nk=1\r\n", " S ", " k ", "1"},
        ReadCase{"FirstDuplicateKeyWins", "[S]\r\nk=first\r\nK=second\r\n", "S", "k", "first"},
        ReadCase{"OnlyFirstDuplicateSectionSearched", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S", "k",
                 std::nullopt},
        ReadCase{"KeyWithoutEqualsReadsMissing", "[S]\r\nk\r\n", "S", "k", std::nullopt},
        ReadCase{"KeyWithoutEqualsHidesLaterKey", "[S]\r\nk\r\nk=2\r\n", "S", "k", std::nullopt},
        ReadCase{"EmptyValue", "[S]\r\nk=\r\n", "S", "k", ""},
        ReadCase{"ValueKeepsFurtherEquals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        ReadCase{"LinesBeforeFirstSection", "k=top\r\n[S]\r\nk=in\r\n", "", "k", "top"},
        ReadCase{"PreSectionLinesNotInNamedSection", "k=top\r\n[S]\r\n", "S", "k",
                 std::nullopt},
        ReadCase{"CarriageReturnOnlyFile", "[S]\rk=1\r[T]\rx=2", "T", "x", "2"},
        ReadCase{"LineFeedOnlyFile", "[S]\nk=1\n[T]\nx=2\n", "S", "k", "1"},
        ReadCase{"KeyStopsAtNextSection", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", std::nullopt},
        ReadCase{"BracketWithoutCloseIsNoSection", "[S]\r\n[T\r\nk=1\r\n", "S", "k", "1"},
        ReadCase{"SectionNameToLastBracket", "[G]]\r\nk=1\r\n", "G]", "k", "1"},
        ReadCase{"TextAfterSectionBracket", "[S] old\r\nk=1\r\n", "S", "k", "1"},
        ReadCase{"MissingSection", "[S]\r\nk=1\r\n", "Game", "k", std::nullopt},
        ReadCase{"MissingKey", "[S]\r\nk=1\r\n", "S", "x", std::nullopt},
        ReadCase{"EmptyFile", "", "S", "k", std::nullopt},
        ReadCase{"EndOfFileMarksTrimmed", "[S]\r\n\x1ak=1\x1a\r\n", "S", "k", "1"},
        ReadCase{"TabsFeedsTrimmed", "[S]\r\n\v\fk\t=\f\v1\t\r\n", "S", "k", "1"},
        ReadCase{"OtherControlBytesAreText", "[S]\r\nk=\x01v\x1b\r\n", "S", "k", "\x01v\x1b"},
        ReadCase{"Utf8MarkBeforeTheFirstSection", "\xEF\xBB\xBF[Fonts]\r\nk=1\r\n", "Fonts", "k",
                 "1"},
        ReadCase{"Utf16LeFile", Utf16File(u"[Fonts]\r\nk=Ca\u00f1on\r\n"), "fonts", "K",
                 "Ca\xc3\xb1on"},
        ReadCase{"LongValueWhole", "[Fonts]\r\ngOSFontName_Large=" + k49 + "\r\n", "Fonts",
                 "gOSFontName_Large", k49}),
    [](const auto& param) { return std::string(param.param.name); });

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class PrivateProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(PrivateProfileWrite, ChangesOnlyWhatWindowsWould) {
    const WriteCase& c = GetParam();
    auto profile = PrivateProfile::Parse(c.before);
    ASSERT_TRUE(profile.Set(c.section, c.key, c.value));
    EXPECT_EQ(profile.Serialize(), c.after);
    // And what was written reads back (trimmed, as every read is).
    const std::string value = c.value;
    const auto first = value.find_first_not_of(' ');
    const auto last = value.find_last_not_of(' ');
    EXPECT_EQ(profile.Get(c.section, c.key),
              first == std::string::npos ? "" : value.substr(first, last - first + 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrivateProfileWrite,
    ::testing::Values(
        WriteCase{"ReplacesInPlaceKeepingOtherBytes",
                  "; top\r\n[Fonts]\r\n  a = 1 \r\n\r\n  b  =  2\r\n[Game]\r\nc=3\r\n", "FONTS",
                  "A", "9", "; top\r\n[Fonts]\r\na=9\r\n\r\n  b  =  2\r\n[Game]\r\nc=3\r\n"},
        WriteCase{"ReplacesFirstOfDuplicateKeys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3",
                  "[S]\r\nk=3\r\nk=2\r\n"},
        WriteCase{"NewKeyAfterLastLineOfSection", "[S]\r\nk=1\r\n\r\n[T]\r\nx=2\r\n", "s", "n",
                  "2", "[S]\r\nk=1\r\nn=2\r\n\r\n[T]\r\nx=2\r\n"},
        WriteCase{"NewKeyIntoFirstOfDuplicateSections", "[S]\r\nk=1\r\n[S]\r\nm=2\r\n", "S", "m",
                  "3", "[S]\r\nk=1\r\nm=3\r\n[S]\r\nm=2\r\n"},
        WriteCase{"NewKeyIntoEmptySection", "[S]\r\n\r\n[T]\r\n", "S", "a", "1",
                  "[S]\r\na=1\r\n\r\n[T]\r\n"},
        WriteCase{"NewKeyAtUnterminatedEnd", "[S]\r\nk=1", "S", "z", "9",
                  "[S]\r\nk=1\r\nz=9\r\n"},
        WriteCase{"NewSectionAtEnd", "[S]\r\nk=1\r\n", "Game", "kookyHornFlag", "1",
                  "[S]\r\nk=1\r\n[Game]\r\nkookyHornFlag=1\r\n"},
        WriteCase{"NewSectionAfterUnterminatedLine", "[S]\r\nk=1", "T", "x", "1",
                  "[S]\r\nk=1\r\n[T]\r\nx=1\r\n"},
        WriteCase{"NewSectionAfterPreSectionLines", "x=1\r\n", "S", "a", "1",
                  "x=1\r\n[S]\r\na=1\r\n"},
        WriteCase{"EmptyFileGetsSectionAndKey", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        WriteCase{"KeyWithoutEqualsGetsItsValue", "[S]\r\nB\r\n", "S", "b", "set",
                  "[S]\r\nB=set\r\n"},
        WriteCase{"CarriageReturnOnlyFileKeepsItsBreaks", "[S]\rk=1\r[T]\rx=2", "S", "k", "5",
                  "[S]\rk=5\r[T]\rx=2"},
        WriteCase{"EmptyValue", "[S]\r\nk=1\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        WriteCase{"TrailingBlankKeptInFile", "[Fonts]\r\n", "Fonts", "gOSFontName_Small",
                  "Modern,Modern,Modern ", "[Fonts]\r\ngOSFontName_Small=Modern,Modern,Modern \r\n"},
        WriteCase{"Utf8FileKeepsItsMarkAndSection", "\xEF\xBB\xBF[Fonts]\r\nk=1\r\n", "Fonts",
                  "k", "2", "\xEF\xBB\xBF[Fonts]\r\nk=2\r\n"},
        WriteCase{"Utf16FileStaysUtf16", Utf16File(u"[Fonts]\r\nk=1\r\n[Game]\r\n"), "FONTS",
                  "n", "\xc5\x81\xc3\xb3" "d\xc5\xba",
                  Utf16File(u"[Fonts]\r\nk=1\r\nn=\u0141\u00f3d\u017a\r\n[Game]\r\n")},
        WriteCase{"HighBytesUntouched", "[S]\r\nn=caf\xe9\r\nk=1\r\n", "S", "k", "\xe9t\xe9",
                  "[S]\r\nn=caf\xe9\r\nk=\xe9t\xe9\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(PrivateProfile, RefusesTextThatWouldBreakTheFileApart) {
    const std::string before = "[S]\r\nk=1\r\n";
    auto profile = PrivateProfile::Parse(before);
    EXPECT_FALSE(profile.Set("S", "k", "x\r\n[Injected]"));
    EXPECT_FALSE(profile.Set("S", "k=v", "1"));
    EXPECT_FALSE(profile.Set("S\n", "k", "1"));
    EXPECT_EQ(profile.Serialize(), before);

    const std::string unicode = Utf16File(u"[S]\r\nk=1\r\n");
    auto utf16 = PrivateProfile::Parse(unicode);
    EXPECT_FALSE(utf16.Set("S", "k", "caf\xe9"));  // no UTF-8: it would not read back
    EXPECT_EQ(utf16.Serialize(), unicode);
}

TEST(PrivateProfile, ListsKeysWithValuesInFileOrderOfTheFirstSection) {
    const auto profile =
        PrivateProfile::Parse("[S]\r\nb=1\r\n\r\nA\r\n; note=1\r\n=2\r\nc =3\r\n[T]\r\nx=1\r\n"
                              "[s]\r\nd=1\r\n");
    EXPECT_EQ(profile.Keys("s"), (std::vector<std::string>{"b", "", "c"}));
    EXPECT_TRUE(profile.Keys("missing").empty());
}

}  // namespace
}  // namespace marvok
