#include <gtest/gtest.h>

#include "podlist/PodListFile.h"
#include "support/Utf16File.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

TEST(ParsePodList, ReadsTheFieldsOfEveryFormat) {
    struct Case {
        const char* what;
        std::string bytes;
        long long limit;
        long long count;
        Names names;
        bool isList = true;     // the first field is a count
        long long leftOut = 0;  // entries past the limit
        Names leftOutNames = {};
    };
    const Case cases[] = {
        {"plain", "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n", 30, 2,
         {"Fixes\\fixmore4.pod", "startup.pod"}},
        {"LF only", "2\na.pod\nb.pod", 30, 2, {"a.pod", "b.pod"}},
        {"CR only", "2\ra.pod\rb.pod\r", 30, 2, {"a.pod", "b.pod"}},
        {"comma splits a line", "3\r\na.pod,b.pod\r\nc.pod\r\n", 30, 3,
         {"a.pod", "b.pod", "c.pod"}},
        {"quotes hold commas", "1\r\n\"x,y.pod\"\r\n", 30, 1, {"x,y.pod"}},
        {"text after a closing quote is dropped", "2\r\n\"a.pod\"junk,b.pod\r\n", 30, 2,
         {"a.pod", "b.pod"}},
        {"unterminated quote runs to the end", "1\r\n\"a.pod\r\n", 30, 1, {"a.pod\r\n"}},
        {"blanks around fields", "2\r\n   a.pod  \r\n\tb.pod\t\r\n", 30, 2, {"a.pod", "b.pod"}},
        {"blank lines are skipped", "2\r\n\r\n\r\na.pod\r\n\r\nb.pod\r\n", 30, 2,
         {"a.pod", "b.pod"}},
        {"a comma before the line end is an empty field", "2\r\na.pod,\r\nb.pod\r\n", 30,
         2, {"a.pod", ""}},
        {"count above the entries stops at the end", "5\r\na.pod\r\n", 30, 5, {"a.pod"}},
        {"limit caps the fields read", "4\r\na\r\nb\r\nc\r\nd\r\n", 2, 4, {"a", "b"},
         true, 2, {"c", "d"}},
        {"left out counts only entries present", "9\r\na\r\nb,c\r\nd\r\n", 1, 9, {"a"},
         true, 3, {"b", "c", "d"}},
        {"fields past the count are no entries", "2\r\na\r\nb\r\nc\r\n", 1, 2, {"a"},
         true, 1, {"b"}},
        {"count not a number", "many\r\na.pod\r\n", 30, 0, {}, false},
        {"count with trailing junk", "2x\r\na.pod\r\n", 30, 0, {}, false},
        {"a section first", "[.ShellClassInfo]\r\nIconResource=x.dll,3\r\n", 30, 0, {},
         false},
        {"only blank lines", "\r\n \t\r\n", 30, 0, {}, false},
        {"zero", "0\r\n", 30, 0, {}},
        {"negative count", "-3\r\na.pod\r\n", 30, -3, {}},
        {"huge count", "99999999999999999999999\r\na.pod\r\n", 30, 1LL << 62, {"a.pod"}},
        {"empty file", "", 30, 0, {}, false},
        {"no line ends at all", "1", 30, 1, {}},
        {"NUL bytes stay in the name", std::string("1\r\na\0b.pod\r\n", 12), 30, 1,
         {std::string("a\0b.pod", 7)}},
        {"Windows-1252 names become UTF-8", "1\r\ncaf\xe9.pod\r\n", 30, 1, {"café.pod"}},
        {"UTF-8 with its mark", "\xef\xbb\xbf" "2\r\ncafé.pod\r\nb.pod\r\n", 30, 2,
         {"café.pod", "b.pod"}},
        {"UTF-16 LE with its mark", test::Utf16File("2\r\ncafé.pod,\"日本.pod\"\r\n"), 30, 2,
         {"café.pod", "日本.pod"}},
        {"a mark inside is a name's bytes", "1\r\n\xef\xbb\xbf" "a.pod\r\n", 30, 1, {"ï»¿a.pod"}}};
    for (const Case& c : cases) {
        const ParsedPodList parsed = ParsePodList(c.bytes, c.limit);
        EXPECT_EQ(parsed.count, c.count) << c.what;
        EXPECT_EQ(parsed.names, c.names) << c.what;
        EXPECT_EQ(parsed.isList, c.isList) << c.what;
        EXPECT_EQ(parsed.leftOut, c.leftOut) << c.what;
        EXPECT_EQ(parsed.leftOutNames, c.leftOutNames) << c.what;
    }
}

// What it writes reads back the same; names the reader would give back as other names, or
// that would shift the names after them, are refused.
TEST(FormatPodList, WritesCountAndNamesWithCrLfThatReadBackTheSame) {
    EXPECT_EQ(FormatPodList({}), "0\r\n");
    EXPECT_EQ(FormatPodList({"Fixes\\fixmore4.pod", "startup.pod"}),
              "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n");
    EXPECT_EQ(FormatPodList({"café.pod"}), "1\r\ncaf\xe9.pod\r\n");
    EXPECT_EQ(FormatPodListText({"café.pod"}), "1\r\ncafé.pod\r\n");  // the clipboard's UTF-8
    EXPECT_EQ(FormatPodListText({}), "0\r\n");
    const Names names = {"a.pod", "Stock\\été.pod", "C:\\PODS\\x.pod", "a\"b.pod", "x.pod\"",
                         "a\tb.pod"};
    const auto bytes = FormatPodList(names);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(ParsePodList(*bytes, 100).names, names);
    for (const std::string name : {"日本.pod", "a,b.pod", "\"a.pod", " a.pod", "\ta.pod", "a.pod ",
                                   "a.pod\t", "a\r\nb.pod", "a\nb.pod", "a\rb.pod", ""}) {
        EXPECT_FALSE(FormatPodList({name, "next.pod"})) << name;
    }
}

}  // namespace
}  // namespace marvok
