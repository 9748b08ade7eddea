// Names are folded with Wine's own lower-case table, the l_intl.nls that Debian's Wine loads:
// every UTF-16 unit, so each edge of each run of the table is held against Wine's data.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/WineRegistryFile.h"

namespace marvok::test {
namespace {

// A header word, the upper-case table's size, that table, the lower-case table's size, that
// table; each maps c to c + t[t[t[c >> 8] + (c >> 4 & 15)] + (c & 15)].
TEST(WinesCaseTable, IsTheOneNamesAreFoldedWith) {
    std::ifstream in("/usr/share/wine/nls/l_intl.nls", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::uint16_t> words;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        words.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                                   static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    ASSERT_GT(words.size(), 2u) << "no l_intl.nls (scripts/deps.sh installs Wine)";
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
