// Wine's own registry files: a fresh prefix from wineboot, holding names (added by Wine's reg.exe)
// that only Wine's order keeps apart, comes back byte for byte; the case folding is Wine's table.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "registry/WineRegistryFile.h"

namespace marvok::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Names whose order or sameness differ between upper- and lower-case folding, or between
// Unicode's case table and Wine's.
const std::u16string kKeyNames[] = {
    u"_a",     u"A^",     u"aa",     u"B`",     u"Z",      u"\u00e4", u"\u00ff",
    u"\u0101", u"\u03c2", u"\u03a3", u"\u017f", u"s",      u"\u01c5", u"\u01c6",
    u"\u01c4", u"\u212a", u"k",      u"\u0130", u"i"};

// A .reg file as regedit writes one (UTF-16 LE): each name as a key and as a value (and two more
// as values only), in HKLM and HKCU.
std::string OrderRegFile() {
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n";
    for (const std::u16string root : {u"HKEY_LOCAL_MACHINE", u"HKEY_CURRENT_USER"}) {
        const std::u16string key = u"[" + root + u"\\Software\\MarvokOrder";
        std::u16string keys;
        text += key + u"]\r\n\"b[\"=\"x\"\r\n\"a]x\"=\"x\"\r\n";
        for (const auto& name : kKeyNames) {
            text += u"\"" + name + u"\"=\"x\"\r\n";
            keys += u"\r\n" + key + u"\\" + name + u"]\r\n";
        }
        text += keys + u"\r\n";
    }
    std::string bytes = "\xff\xfe";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// A stock prefix, made once per build folder (wineboot takes a while): wineboot, then Wine's
// reg.exe imports the names; wineserver writes the files when it ends.
const fs::path& StockPrefix() {
    static const fs::path prefix = [] {
        const fs::path dir = fs::path(MARVOK_TEST_BUILD_DIR) / "stock-wineprefix";
        // Test processes run side by side: one makes the prefix, the others wait for it.
        const int lock = open((dir.string() + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        flock(lock, LOCK_EX);
        if (!fs::exists(dir / ".ready")) {
            fs::remove_all(dir);
            fs::create_directories(dir);
            std::ofstream(dir / "order.reg", std::ios::binary) << OrderRegFile();
            const std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX='" +
                                    dir.string() +
                                    "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
            const std::string command = "cd '" + dir.string() + "' && " + env +
                                        "wineboot --init && " + env +
                                        "wine reg import order.reg && " + env + "wineserver -w";
            if (std::system((command + " >setup.log 2>&1").c_str()) == 0) {
                std::ofstream(dir / ".ready");
            }
        }
        flock(lock, LOCK_UN);
        close(lock);
        return dir;
    }();
    return prefix;
}

TEST(WinesOwnFiles, ComeBackByteForByte) {
    ASSERT_TRUE(fs::exists(StockPrefix() / ".ready"))
        << "making the prefix failed: see " << (StockPrefix() / "setup.log");
    for (const std::string file : {"system.reg", "user.reg", "userdef.reg"}) {
        SCOPED_TRACE(file);
        const std::string text = ReadFile(StockPrefix() / file);
        ASSERT_FALSE(text.empty());
        const auto parsed = winereg::Parse(text);
        ASSERT_TRUE(parsed.hive.has_value()) << parsed.error;
        const std::string written = winereg::Serialize(*parsed.hive);
        const auto at =
            std::mismatch(text.begin(), text.end(), written.begin(), written.end()).first;
        const auto offset = static_cast<std::size_t>(at - text.begin());
        const std::size_t from = text.rfind("\n[", offset);
        EXPECT_EQ(written.size(), text.size());
        EXPECT_EQ(offset, text.size()) << "first difference in the key at\n"
                                       << text.substr(from, offset - from + 40) << "\nwritten:\n"
                                       << written.substr(from, offset - from + 40);
        if (file != "userdef.reg") {
            EXPECT_NE(text.find("[Software\\\\MarvokOrder\\\\\\x212a]"), std::string::npos)
                << "the names were not imported";
        }
    }
}

// l_intl.nls: a header word, the upper-case table's size, that table, the lower-case table's
// size, that table; each maps c to c + t[t[t[c >> 8] + (c >> 4 & 15)] + (c & 15)].
TEST(WinesCaseTable, IsTheOneNamesAreFoldedWith) {
    ASSERT_TRUE(fs::exists(StockPrefix() / ".ready"));
    const std::string bytes = ReadFile(StockPrefix() / "drive_c/windows/system32/l_intl.nls");
    std::vector<std::uint16_t> words;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        words.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                                   static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    ASSERT_GT(words.size(), 2u);
    const std::size_t lower = 2 + words[1];
    ASSERT_LT(lower, words.size());
    const auto t = [&](std::size_t i) {
        return lower + i < words.size() ? words[lower + i] : std::uint16_t(0);
    };
    const auto winesLower = [&](unsigned c) {
        return static_cast<char16_t>(c + t(t(t(c >> 8) + ((c >> 4) & 15)) + (c & 15)));
    };
    ASSERT_EQ(winesLower(u'A'), u'a');  // the table was read the right way round
    int wrong = 0;
    for (unsigned c = 0; c < 0x10000; ++c) {
        const char16_t ours = winereg::FoldCase(static_cast<char16_t>(c));
        if (ours != winesLower(c) && ++wrong <= 5) {
            ADD_FAILURE() << std::hex << "U+" << c << " folds to " << unsigned(ours)
                          << ", Wine's to " << unsigned(winesLower(c));
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace marvok::test
