// The ini reader and writer against the Windows private-profile behaviour. Encodings, blanks,
// missing keys and new sections at the end are the Monster.ini test's (GameSettingsTest).

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "common/PrivateProfile.h"
#include "common/Text.h"
#include "support/Utf16File.h"

namespace marvok {
namespace {

struct ReadCase {
    const char* name;
    std::string content;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(PrivateProfile, FindsTheValueWindowsWould) {
    const ReadCase cases[] = {
        {"SectionAndKeyIgnoreCase", "[FONTS]\r\ngosfontuseglobal=1\r\n", "Fonts",
         "gOSFontUseGlobal", "1"},
        {"DoubleQuotesRemoved", "[S]\r\nk=\"a b\"\r\n", "S", "k", "a b"},
        {"SingleQuotesRemoved", "[S]\r\nk='x'\r\n", "S", "k", "x"},
        {"UnmatchedQuotesKept", "[S]\r\nk=\"x'\r\n", "S", "k", "\"x'"},
        {"LoneQuoteKept", "[S]\r\nk='\r\n", "S", "k", "'"},
        {"EmptyQuotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
        {"QuotesInsideKept", "[S]\r\nk=a\"b\"\r\n", "S", "k", "a\"b\""},
        {"BlanksAroundSectionName", "  [ S ]  \r\nk=1\r\n", "S", "k", "1"},
        {"BlanksInRequestedNames", "[S]\r\nk=1\r\n", " S ", " k ", "1"},
        {"FirstDuplicateKeyWins", "[S]\r\nk=first\r\nK=second\r\n", "S", "k", "first"},
        {"OnlyFirstDuplicateSectionSearched", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S", "k",
         std::nullopt},
        {"KeyWithoutEqualsReadsMissing", "[S]\r\nk\r\n", "S", "k", std::nullopt},
        {"KeyWithoutEqualsHidesLaterKey", "[S]\r\nk\r\nk=2\r\n", "S", "k", std::nullopt},
        {"ValueKeepsFurtherEquals", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
        {"LinesBeforeFirstSection", "k=top\r\n[S]\r\nk=in\r\n", "", "k", "top"},
        {"PreSectionLinesNotInNamedSection", "k=top\r\n[S]\r\n", "S", "k", std::nullopt},
        {"CarriageReturnOnlyFile", "[S]\rk=1\r[T]\rx=2", "T", "x", "2"},
        {"LineFeedOnlyFile", "[S]\nk=1\n[T]\nx=2\n", "S", "k", "1"},
        {"KeyStopsAtNextSection", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", std::nullopt},
        {"BracketWithoutCloseIsNoSection", "[S]\r\n[T\r\nk=1\r\n", "S", "k", "1"},
        {"SectionNameToLastBracket", "[G]]\r\nk=1\r\n", "G]", "k", "1"},
        {"TextAfterSectionBracket", "[S] old\r\nk=1\r\n", "S", "k", "1"},
        {"EmptyFile", "", "S", "k", std::nullopt},
        {"EndOfFileMarksTrimmed", "[S]\r\n\x1ak=1\x1a\r\n", "S", "k", "1"},
        {"TabsFeedsTrimmed", "[S]\r\n\v\fk\t=\f\v1\t\r\n", "S", "k", "1"},
        {"OtherControlBytesAreText", "[S]\r\nk=\x01v\x1b\r\n", "S", "k", "\x01v\x1b"},
        {"NoBreakSpaceIsText", "[S]\r\nk=\xa0v\xa0\r\n", "S", "k", "\xa0v\xa0"}};
    for (const ReadCase& c : cases) {
        EXPECT_EQ(PrivateProfile::Parse(c.content).Get(c.section, c.key), c.expected) << c.name;
    }
}

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

TEST(PrivateProfile, ChangesOnlyWhatWindowsWould) {
    const WriteCase cases[] = {
        {"ReplacesInPlaceKeepingOtherBytes",
         "; top\r\n[Fonts]\r\n  a = 1 \r\n\r\n  b  =  2\r\n[Game]\r\nc=3\r\n", "FONTS", "A", "9",
         "; top\r\n[Fonts]\r\na=9\r\n\r\n  b  =  2\r\n[Game]\r\nc=3\r\n"},
        {"ReplacesFirstOfDuplicateKeys", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3",
         "[S]\r\nk=3\r\nk=2\r\n"},
        {"NewKeyIntoFirstOfDuplicateSections", "[S]\r\nk=1\r\n[S]\r\nm=2\r\n", "S", "m", "3",
         "[S]\r\nk=1\r\nm=3\r\n[S]\r\nm=2\r\n"},
        {"NewKeyIntoEmptySection", "[S]\r\n\r\n[T]\r\n", "S", "a", "1",
         "[S]\r\na=1\r\n\r\n[T]\r\n"},
        {"NewKeyBeforeTheBlankLineOfALineFeedFile", "[S]\nk=1\n\n[T]\n", "S", "z", "9",
         "[S]\nk=1\nz=9\r\n\n[T]\n"},
        {"NewKeyAtUnterminatedEnd", "[S]\r\nk=1", "S", "z", "9", "[S]\r\nk=1\r\nz=9\r\n"},
        {"NewSectionAfterUnterminatedLine", "[S]\r\nk=1", "T", "x", "1",
         "[S]\r\nk=1\r\n[T]\r\nx=1\r\n"},
        {"NewSectionAfterPreSectionLines", "x=1\r\n", "S", "a", "1", "x=1\r\n[S]\r\na=1\r\n"},
        {"EmptyFileGetsSectionAndKey", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"KeyWithoutEqualsGetsItsValue", "[S]\r\nB\r\n", "S", "b", "set", "[S]\r\nB=set\r\n"},
        {"CarriageReturnOnlyFileKeepsItsBreaks", "[S]\rk=1\r[T]\rx=2", "S", "k", "5",
         "[S]\rk=5\r[T]\rx=2"},
        {"EmptyValue", "[S]\r\nk=1\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
        {"Utf16FileStaysUtf16", test::Utf16File("[Fonts]\r\nk=1\r\n[Game]\r\n"), "FONTS", "n",
         "\xc5\x81\xc3\xb3" "d\xc5\xba",
         test::Utf16File("[Fonts]\r\nk=1\r\nn=\xc5\x81\xc3\xb3" "d\xc5\xba\r\n[Game]\r\n")},
        {"HighBytesUntouched", "[S]\r\nn=caf\xe9\r\nk=1\r\n", "S", "k", "\xe9t\xe9",
         "[S]\r\nn=caf\xe9\r\nk=\xe9t\xe9\r\n"}};
    for (const WriteCase& c : cases) {
        auto profile = PrivateProfile::Parse(c.before);
        ASSERT_TRUE(profile.Set(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(profile.Serialize(), c.after) << c.name;
        EXPECT_EQ(profile.Get(c.section, c.key), text::Trim(c.value, " ")) << c.name;
    }
}

TEST(PrivateProfile, RefusesTextThatWouldBreakTheFileApart) {
    const std::string before = "[S]\r\nk=1\r\n";
    auto profile = PrivateProfile::Parse(before);
    EXPECT_FALSE(profile.Set("S", "k", "x\r\n[Injected]"));
    EXPECT_FALSE(profile.Set("S", "k=v", "1"));
    EXPECT_FALSE(profile.Set("S\n", "k", "1"));
    EXPECT_EQ(profile.Serialize(), before);

    const std::string unicode = test::Utf16File("[S]\r\nk=1\r\n");
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
