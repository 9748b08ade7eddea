// Wine's registry text format: what Wine writes comes back byte for byte, every value type and
// escape survives a round trip, and a damaged file is refused with the line at fault.

#include <gtest/gtest.h>

#include <tuple>

#include "platform/WineRegistryFile.h"

namespace marvok::test {
namespace {

using namespace std::string_literals;
using winereg::Hive;
using winereg::Key;

// A file as wineserver writes one: header, keys in order, each with its stamp and #time, values
// sorted ignoring case (the default value first), a long binary wrapped after 22 and 25 bytes.
const std::string kWineFile =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\inifile\\\\shell\\\\open\\\\command] 1712345678\n"
    "#time=1da8e2b4c5d6e7f\n"
    "@=str(2):\"%SystemRoot%\\\\system32\\\\NOTEPAD.EXE %1\"\n"
    "\n"
    "[Software\\\\Wine\\\\Test] 1712345678\n"
    "#time=1da8e2b4c5d6e7f\n"
    "#class=\"Sample\"\n"
    "@=\"default\"\n"
    "\"Binary\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
    "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\n"
    "  2f,30\n"
    "\"Dword\"=dword:0000002a\n"
    "\"Empty\"=\"\"\n"
    "\"Escapes\"=\"q\\\" b\\\\ t\\t n\\n a\\a e\\e z\\0 o\\0017 p\\1x\"\n"
    "\"Hex digit after\"=\"\\x00e9a \\xe9g\"\n"
    "\"Multi\"=str(7):\"one\\0two\\0\"\n"
    "\"No NUL at the end\"=hex(1):41,00,42\n"
    "\"Other type\"=hex(100):01\n"
    "\"Unicode\"=\"M\\xfcller \\x20ac \\x4e2d\\x6587 \\xd83d\\xde00\"\n"
    "\n"
    "[Software\\\\Wine\\\\Test\\\\Br\\[ack\\]ets] 1712345678\n"
    "#time=1da8e2b4c5d6e7f\n"
    "#link\n";

std::string Utf16(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

using Flat = std::vector<std::tuple<std::u16string, std::uint32_t, std::string>>;
Flat Values(const Key& key) {
    Flat values;
    for (const auto& value : key.values) {
        values.emplace_back(value.name, value.type, value.data);
    }
    return values;
}

// Keys nested `levels` deep, the last with a value.
std::string Nested(std::size_t levels) {
    std::string text = "WINE REGISTRY Version 2\n\n[k";
    for (std::size_t i = 1; i < levels; ++i) {
        text += "\\\\k";
    }
    return text + "] 1\n\"v\"=\"x\"\n";
}

const Key* Find(const Hive& hive, std::initializer_list<std::u16string_view> path) {
    const Key* key = &hive.root;
    for (auto part : path) {
        key = key ? key->FindSubkey(part) : nullptr;
    }
    return key;
}

// A key with values is written even with sub keys, one with neither even without #time, one with
// only sub keys when it has a class or is a link.
TEST(WineRegistryFile, WinesOwnFileComesBackByteForByte) {
    const std::string keys =
        "WINE REGISTRY Version 2\n\n[A] 1\n\"v\"=\"1\"\n\n[A\\\\B] 2\n#time=5\n\n[D] 4\n\n"
        "[E] 5\n#class=\"x\"\n\n[E\\\\F] 6\n\n[G] 7\n#time=1\n#link\n\n[G\\\\H] 8\n";
    // As deep as Windows allows.
    for (const std::string& text : {kWineFile, keys, Nested(winereg::kMaxKeyDepth)}) {
        const auto parsed = winereg::Parse(text);
        ASSERT_TRUE(parsed.hive.has_value()) << parsed.error;
        EXPECT_EQ(winereg::Serialize(*parsed.hive), text);
        EXPECT_EQ(parsed.hive->Win64(), text == kWineFile);
    }
}

TEST(WineRegistryFile, ReadsEveryValueType) {
    const auto parsed = winereg::Parse(kWineFile);
    ASSERT_TRUE(parsed.hive.has_value()) << parsed.error;
    const Key* test = Find(*parsed.hive, {u"software", u"WINE", u"test"});
    ASSERT_NE(test, nullptr);
    std::string binary;
    for (int i = 0; i <= 0x30; ++i) {
        binary += static_cast<char>(i);
    }
    const Flat expected = {
        {u"", 1, Utf16(u"default\0"s)},
        {u"Binary", 3, binary},
        {u"Dword", 4, "\x2a\0\0\0"s},
        {u"Empty", 1, "\0\0"s},
        {u"Escapes", 1, Utf16(u"q\" b\\ t\t n\n a\a e\x1b z\0 o\0017 p\1x\0"s)},
        {u"Hex digit after", 1, Utf16(u"\u00e9a \u00e9g\0"s)},
        {u"Multi", 7, Utf16(u"one\0two\0\0"s)},
        {u"No NUL at the end", 1, "A\0B"s},
        {u"Other type", 0x100, "\x01"s},
        {u"Unicode", 1, Utf16(u"M\u00fcller \u20ac \u4e2d\u6587 \U0001F600\0"s)},
    };
    EXPECT_EQ(Values(*test), expected);
    const Key* brackets = Find(*parsed.hive, {u"Software", u"Wine", u"Test", u"Br[ack]ets"});
    ASSERT_NE(brackets, nullptr);
    EXPECT_EQ(brackets->meta, (std::vector<std::string>{"#time=1da8e2b4c5d6e7f", "#link"}));
}

TEST(WineRegistryFile, WrittenValuesSurviveARoundTrip) {
    Hive hive = winereg::NewHive("\\Machine", false);
    Key& key = hive.root.AddSubkey(u"Software").AddSubkey(u"Round \u00c4[trip]");
    std::string allBytes;
    for (int i = 0; i < 256; ++i) {
        allBytes += static_cast<char>(i);
    }
    key.SetValue(u"", 1, Utf16(u"\0"s));
    key.SetValue(u"quote\"name\\", 2, Utf16(u"%PATH%;\"x\"\0"s));
    key.SetValue(u"bytes", 3, allBytes);
    key.SetValue(u"dword", 4, "\xef\xbe\xad\xde"s);
    key.SetValue(u"short dword", 4, "\x01\x02"s);
    key.SetValue(u"big endian", 5, "\xde\xad\xbe\xef"s);
    key.SetValue(u"multi", 7, Utf16(u"a\0\u00df\0\0"s));
    key.SetValue(u"controls", 1, Utf16(u"\x01\x02\x7f\r\n\t\v\f\b\a\x1b\0"s));
    key.SetValue(u"non bmp", 1, Utf16(u"\U0001F600\0"s));
    key.SetValue(u"odd bytes", 1, "abc"s);
    key.SetValue(u"none", 0, ""s);
    const std::string text = winereg::Serialize(hive);
    const auto parsed = winereg::Parse(text);
    ASSERT_TRUE(parsed.hive.has_value()) << parsed.error << "\n" << text;
    const Key* back = Find(*parsed.hive, {u"Software", u"Round \u00c4[trip]"});
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Values(*back), Values(key));
    EXPECT_EQ(winereg::Serialize(*parsed.hive), text);
    // Every line of a long binary stays within Wine's width.
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find('\n', start);
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
        start = end + 1;
    }
}

TEST(WineRegistryFile, ToleratesWhatWineToleratesWhenLoading) {
    const std::string loose =
        "WINE REGISTRY Version 2\r\n"
        ";; comment\r\n"
        "\r\n"
        "[Software\\\\Zeta]\r\n"
        "; a comment between values\r\n"
        "#unknown=thing\r\n"
        "  \"spaced\"  =  \"raw UTF-8: M\xc3\xbcller\"\r\n"
        "\"short\"=dword:09afAF\r\n"
        "\r\n"
        "[Software\\\\alpha\\\\Deep] 5\r\n"
        "\"hex\"=hex: 01 , 02 ,\\\r\n"
        "     03\r\n";
    const auto parsed = winereg::Parse(loose);
    ASSERT_TRUE(parsed.hive.has_value()) << parsed.error;
    const Key& software = *parsed.hive->root.FindSubkey(u"Software");
    // Kept in Wine's order (ignoring case) whatever the file's order; "alpha" is implied.
    ASSERT_EQ(software.subkeys.size(), 2u);
    EXPECT_EQ(software.subkeys[0]->name, u"alpha");
    EXPECT_EQ(software.subkeys[1]->name, u"Zeta");
    const Key& zeta = *software.subkeys[1];
    EXPECT_EQ(zeta.FindValue(u"spaced")->data, Utf16(u"raw UTF-8: M\u00fcller\0"s));
    EXPECT_EQ(zeta.FindValue(u"short")->data, "\xaf\xaf\x09\0"s);
    EXPECT_EQ(zeta.meta, (std::vector<std::string>{"#unknown=thing"}));
    EXPECT_EQ(Find(*parsed.hive, {u"Software", u"alpha", u"Deep"})->FindValue(u"hex")->data,
              "\x01\x02\x03"s);
    // An implied key with sub keys and no values is not written out on its own.
    const std::string written = winereg::Serialize(*parsed.hive);
    EXPECT_EQ(written.find("[Software\\\\alpha]"), std::string::npos) << written;
    EXPECT_NE(written.find("[Software\\\\alpha\\\\Deep] 5\n"), std::string::npos) << written;
}

TEST(WineRegistryFile, DamagedFilesNameTheLineAtFault) {
    const std::string head = "WINE REGISTRY Version 2\n\n[Software\\\\A] 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"REGEDIT4\n[A]\n", "line 1:"},
        {"", "line 1:"},
        {head + "\"v\"=\"unterminated\n", "line 4: the text has no closing quote"},
        {head + "[Software\\\\B\n", "line 4: the key name has no closing"},
        {head + "\"v\"=hex:01,0g\n", "line 4: bad hexadecimal data"},
        {head + "\"v\"=hex:01,\\\n", "the hexadecimal data breaks off"},
        {head + "\"v\"=dword:xyz\n", "line 4: the dword"},
        {head + "\"v\"\"x\"\n", "line 4: \"=\" is missing"},
        {head + "\"v\"=qword:1\n", "line 4: unknown kind of value data"},
        {head + "\"v\"=str(7:\"a\"\n", "line 4: the value type is unreadable"},
        {head + "\"v\"=hex(123456789):00\n", "line 4: the value type is unreadable"},
        {head + "\"v\"=dword:123456789\n", "line 4: the dword"},
        {head + "\"v\"=dword:\n", "line 4: the dword"},
        {head + "just words\n", "line 4: unreadable line"},
        {"WINE REGISTRY Version 2\n\"v\"=\"before any key\"\n", "line 2: a value comes before"},
        // However deep: the tree is walked recursively when it is written and freed.
        {Nested(winereg::kMaxKeyDepth + 1), "line 3: the keys nest deeper than 512 levels"},
        {Nested(300000), "line 3: the keys nest deeper than 512 levels"},
    };
    for (const auto& [text, error] : cases) {
        SCOPED_TRACE(text);
        const auto parsed = winereg::Parse(text);
        EXPECT_FALSE(parsed.hive.has_value());
        EXPECT_NE(parsed.error.find(error), std::string::npos) << parsed.error;
    }
}

// A view into a longer text: nothing past its end is read, whatever follows it.
TEST(WineRegistryFile, ReadsNothingPastTheEndOfItsText) {
    const std::string head = "WINE REGISTRY Version 2\n\n[A] 1\n";
    const struct {
        std::string line;
        std::string after;
        const char* error;  // empty: the dword 1 is read
    } cases[] = {
        {"\"v\"=hex(1", "2):41", "line 4: the value type is unreadable"},
        {"\"v\"=dword:1", "2", ""},
        {"\"v\"=dword:1", " ", ""},
        {"\"v\"=\"abc", "\"", "line 4: the text has no closing quote"},
        {"\"v\"=hex:4", "1", "line 4: bad hexadecimal data"},
        {"[B", "]", "line 4: the key name has no closing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + c.after);
        const std::string buffer = head + c.line + c.after;
        const auto parsed =
            winereg::Parse(std::string_view(buffer).substr(0, buffer.size() - c.after.size()));
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
        if (!*c.error) {
            ASSERT_TRUE(parsed.hive.has_value()) << parsed.error;
            EXPECT_EQ(parsed.hive->root.subkeys[0]->FindValue(u"v")->data, "\x01\0\0\0"s);
        }
    }
}

TEST(WineRegistryFile, ReadsEscapesAndRawUtf8OrLatin1) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"\\8 \\18 \\777 \\x12345 \\x\\xg", u"8 \x01" u"8 \u01ff \u12345 xxg"},
        {"\xc2\xa0|\xdf\xbf|\xe0\xa0\x80|\xef\xbf\xbf", u"\u00a0|\u07ff|\u0800|\uffff"},
        {"\xf0\x90\x80\x80|\xf4\x8f\xbf\xbf", u"\U00010000|\U0010ffff"},
        // Not UTF-8: each byte is its Latin-1 character.
        {"\xc1\xbf|\xf5\x80|\xc3(", u"\u00c1\u00bf|\u00f5\u0080|\u00c3("},
    };
    for (const auto& [raw, text] : cases) {
        SCOPED_TRACE(raw);
        const auto parsed = winereg::Parse("WINE REGISTRY Version 2\n[A]\n@=\"" + raw + "\"\n");
        ASSERT_TRUE(parsed.hive.has_value()) << parsed.error;
        EXPECT_EQ(parsed.hive->root.subkeys[0]->values[0].data, Utf16(text + u'\0'));
    }
}

TEST(WineRegistryFile, EscapesWhatWineEscapes) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"\a\b\t\n\v\f\r\x1b", "\\a\\b\\t\\n\\v\\f\\r\\e"},
        {u"\x01" u"0|\x01" u"7|\x01" u"8|\x01/|\x1f \x7f", "\\0010|\\0017|\\18|\\1/|\\37 \x7f"},
        {u"\u00e9a|\u00e9g|\u00e9\u0141|\u0080|\uffff",
         "\\x00e9a|\\xe9g|\\xe9\\x141|\\x80|\\xffff"},
        {u"\\\"[]", "\\\\\\\"[]"},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(winereg::Escape(text, "\""), escaped);
    }
    EXPECT_EQ(winereg::Escape(u"[a]\"", "[]"), "\\[a\\]\"");
    // What follows the text given is not looked at.
    EXPECT_EQ(winereg::Escape(std::u16string_view(u"\u00e9a").substr(0, 1), ""), "\\xe9");
    EXPECT_EQ(winereg::Escape(std::u16string_view(u"\x01" u"7").substr(0, 1), ""), "\\1");
}

// What one write makes of a file, the next parse and write keep exactly: a trailing NUL of a name
// is a character of its own, a CR that no line end took is part of the header line it ends.
TEST(WineRegistryFile, ParseWriteParseIsStable) {
    const std::string head = "WINE REGISTRY Version 2\n";
    const std::pair<std::string, std::size_t> cases[] = {  // and the values in the last key
        {head + "\n[A]\n\"v\"=\"1\"\n\"v\\0\"=\"2\"\n", 2},
        {head + "\n[A\\0]\n\"v\"=\"1\"\n\n[A]\n\"w\"=\"2\"\n", 1},
        {head + ";; header\r\r\n\r\n#arch=win32\r\n\r\n[A] 1\r\r\n#time=1\r\r\n@=\"x\"\r\n", 1},
        {head + ";; the file ends in a lone CR\r", 0},
        {head + "\n[A] \r\n#link\r\n", 0},
    };
    for (const auto& [text, values] : cases) {
        SCOPED_TRACE(text);
        const auto first = winereg::Parse(text);
        ASSERT_TRUE(first.hive.has_value()) << first.error;
        const std::string written = winereg::Serialize(*first.hive);
        const auto second = winereg::Parse(written);
        ASSERT_TRUE(second.hive.has_value()) << second.error << "\n" << written;
        EXPECT_EQ(winereg::Serialize(*second.hive), written);
        EXPECT_EQ(second.hive->header, first.hive->header);
        const Key* last = &second.hive->root;
        while (!last->subkeys.empty()) {
            last = last->subkeys.back().get();
        }
        EXPECT_EQ(last->values.size(), values) << written;
    }
    // The header keeps its CRs byte for byte.
    const auto crlf = winereg::Parse(head + ";; x\r\n#arch=win64\r\n\r\n[A] 1\r\n");
    ASSERT_TRUE(crlf.hive.has_value());
    EXPECT_EQ(winereg::Serialize(*crlf.hive), head + ";; x\r\n#arch=win64\r\n\n[A] 1\n");
    EXPECT_TRUE(crlf.hive->Win64());
}

TEST(WineRegistryFile, KeepsKeysAndValuesInWinesOrder) {
    Key key;
    for (auto name : {u"b", u"C", u"a", u"\u00e4", u"B2", u"A", u"aa", u"A^", u"_a", u"\u0101",
                      u"\u00ff"}) {
        key.SetValue(name, 1, {});
        key.AddSubkey(name);
    }
    // "A" matched "a" ignoring case: the first spelling stays. Wine folds to lower case, so "_"
    // and "^" come before the letters, and "\u00ff" before "\u0101".
    const std::u16string expected[] = {u"_a", u"a",  u"A^", u"aa",     u"b",
                                       u"B2", u"C",  u"\u00e4", u"\u00ff", u"\u0101"};
    ASSERT_EQ(key.values.size(), std::size(expected));
    ASSERT_EQ(key.subkeys.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(key.values[i].name, expected[i]);
        EXPECT_EQ(key.subkeys[i]->name, expected[i]);
    }
    EXPECT_TRUE(key.RemoveSubkey(u"B2"));
    EXPECT_FALSE(key.RemoveSubkey(u"B2"));
    EXPECT_NE(key.FindSubkey(u"\u00c4"), nullptr);
}

}  // namespace
}  // namespace marvok::test
