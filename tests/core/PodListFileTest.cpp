#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "podlist/PodListFile.h"
#include "shell/Text.h"
#include "support/TestNames.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

// The bytes Notepad writes when a list is saved as "Unicode".
std::string Utf16LeWithMark(std::string_view utf8) {
    std::string bytes = "\xff\xfe";
    for (char16_t unit : text::ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xff);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct ParseCase {
    const char* what;
    std::string bytes;
    long long limit;
    long long count;
    Names names;
    bool isList = true;     // the first field is a count
    long long leftOut = 0;  // entries past the limit
    Names leftOutNames = {};
};

class ParsePodListTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePodListTable, ReadsTheFields) {
    const ParseCase& c = GetParam();
    const ParsedPodList parsed = ParsePodList(c.bytes, c.limit);
    EXPECT_EQ(parsed.count, c.count) << c.what;
    EXPECT_EQ(parsed.names, c.names) << c.what;
    EXPECT_EQ(parsed.isList, c.isList) << c.what;
    EXPECT_EQ(parsed.leftOut, c.leftOut) << c.what;
    EXPECT_EQ(parsed.leftOutNames, c.leftOutNames) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ParsePodListTable,
    ::testing::Values(
        ParseCase{"plain", "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n", 30, 2,
                  {"Fixes\\fixmore4.pod", "startup.pod"}},
        ParseCase{"LF only", "2\na.pod\nb.pod", 30, 2, {"a.pod", "b.pod"}},
        ParseCase{"CR only", "2\ra.pod\rb.pod\r", 30, 2, {"a.pod", "b.pod"}},
        ParseCase{"comma splits a line", "3\r\na.pod,b.pod\r\nc.pod\r\n", 30, 3,
                  {"a.pod", "b.pod", "c.pod"}},
        ParseCase{"quotes hold commas", "1\r\n\"x,y.pod\"\r\n", 30, 1, {"x,y.pod"}},
        ParseCase{"text after a closing quote is dropped", "2\r\n\"a.pod\"junk,b.pod\r\n", 30, 2,
                  {"a.pod", "b.pod"}},
        ParseCase{"unterminated quote runs to the end", "1\r\n\"a.pod\r\n", 30, 1, {"a.pod\r\n"}},
        ParseCase{"blanks around fields", "2\r\n   a.pod  \r\n\tb.pod\t\r\n", 30, 2,
                  {"a.pod", "b.pod"}},
        ParseCase{"blank lines are skipped", "2\r\n\r\n\r\na.pod\r\n\r\nb.pod\r\n", 30, 2,
                  {"a.pod", "b.pod"}},
        ParseCase{"a comma before the line end is an empty field", "2\r\na.pod,\r\nb.pod\r\n", 30,
                  2, {"a.pod", ""}},
        ParseCase{"count above the entries stops at the end", "5\r\na.pod\r\n", 30, 5, {"a.pod"}},
        ParseCase{"limit caps the fields read", "4\r\na\r\nb\r\nc\r\nd\r\n", 2, 4, {"a", "b"},
                  true, 2, {"c", "d"}},
        ParseCase{"left out counts only entries present", "9\r\na\r\nb,c\r\nd\r\n", 1, 9, {"a"},
                  true, 3, {"b", "c", "d"}},
        ParseCase{"fields past the count are no entries", "2\r\na\r\nb\r\nc\r\n", 1, 2, {"a"},
                  true, 1, {"b"}},
        ParseCase{"count not a number", "many\r\na.pod\r\n", 30, 0, {}, false},
        ParseCase{"count with trailing junk", "2x\r\na.pod\r\n", 30, 0, {}, false},
        ParseCase{"a section first", "[.ShellClassInfo]\r\nIconResource=x.dll,3\r\n", 30, 0, {},
                  false},
        ParseCase{"only blank lines", "\r\n \t\r\n", 30, 0, {}, false},
        ParseCase{"zero", "0\r\n", 30, 0, {}},
        ParseCase{"negative count", "-3\r\na.pod\r\n", 30, -3, {}},
        ParseCase{"huge count", "99999999999999999999999\r\na.pod\r\n", 30, 1LL << 62,
                  {"a.pod"}},
        ParseCase{"empty file", "", 30, 0, {}, false},
        ParseCase{"no line ends at all", "1", 30, 1, {}},
        ParseCase{"NUL bytes stay in the name", std::string("1\r\na\0b.pod\r\n", 12), 30, 1,
                  {std::string("a\0b.pod", 7)}},
        ParseCase{"Windows-1252 names become UTF-8", "1\r\ncaf\xe9.pod\r\n", 30, 1,
                  {"café.pod"}},
        ParseCase{"UTF-8 with its mark", "\xef\xbb\xbf" "2\r\ncafé.pod\r\nb.pod\r\n", 30, 2,
                  {"café.pod", "b.pod"}},
        ParseCase{"UTF-16 LE with its mark", Utf16LeWithMark("2\r\ncafé.pod,\"日本.pod\"\r\n"), 30, 2,
                  {"café.pod", "日本.pod"}},
        ParseCase{"a mark inside is a name's bytes", "1\r\n\xef\xbb\xbf" "a.pod\r\n", 30, 1,
                  {"ï»¿a.pod"}}),
    [](const auto& param) { return test::CaseName(param.param.what); });

TEST(FormatPodList, WritesCountAndNamesWithCrLf) {
    EXPECT_EQ(FormatPodList({}), "0\r\n");
    EXPECT_EQ(FormatPodList({"Fixes\\fixmore4.pod", "startup.pod"}),
              "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n");
    EXPECT_EQ(FormatPodList({"café.pod"}), "1\r\ncaf\xe9.pod\r\n");
    EXPECT_FALSE(FormatPodList({"日本.pod"}));
}

TEST(FormatPodList, ReadsBackWhatItWrites) {
    const Names names = {"a.pod", "Stock\\été.pod", "C:\\PODS\\x.pod", "a\"b.pod", "x.pod\"",
                         "a\tb.pod"};
    const auto bytes = FormatPodList(names);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(ParsePodList(*bytes, 100).names, names);
}

// Each of these would come back as other names, or shift the names after it.
TEST(FormatPodList, RefusesNamesTheReaderWouldNotGiveBack) {
    for (const std::string name : {"a,b.pod", "\"a.pod", " a.pod", "\ta.pod", "a.pod ", "a.pod\t",
                                   "a\r\nb.pod", "a\nb.pod", "a\rb.pod", ""}) {
        EXPECT_FALSE(FormatPodList({name, "next.pod"})) << name;
    }
}

TEST(FormatPodList, ClipboardTextIsUtf8) {
    EXPECT_EQ(FormatPodListText({"café.pod"}), "1\r\ncafé.pod\r\n");
    EXPECT_EQ(FormatPodListText({}), "0\r\n");
}

}  // namespace
}  // namespace marvok

namespace marvok {
namespace {

TEST(ParsePodList, AnyBytesAreReadWithinTheLimit) {
    std::mt19937 random(1234);
    const std::string alphabet = std::string("0123456789,\"\r\n \t\0ab\\.\xff", 22);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 300);
        for (int i = 0; i < length; ++i) {
            bytes += alphabet[random() % alphabet.size()];
        }
        const long long limit = static_cast<long long>(random() % 40);
        const ParsedPodList parsed = ParsePodList(bytes, limit);
        ASSERT_LE(static_cast<long long>(parsed.names.size()), std::max(0LL, std::min(limit, parsed.count)));
    }
}

TEST(ParsePodList, AHugeFileIsReadOnlyAsFarAsNeeded) {
    std::string bytes = "2\r\na.pod\r\nb.pod\r\n";
    bytes.append(8u << 20, 'x');  // megabytes of junk with no line end
    const ParsedPodList parsed = ParsePodList(bytes, 30);
    EXPECT_EQ(parsed.names, (std::vector<std::string>{"a.pod", "b.pod"}));
}

}  // namespace
}  // namespace marvok
