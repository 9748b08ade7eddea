#include "common/Text.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace marvok::text {
namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value,
// as MultiByteToWideChar does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at pos; nothing for a malformed sequence.
std::optional<char32_t> NextChar(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) {
        return std::nullopt;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
        if ((b & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (b & 0x3F);
    }
    // Overlong forms and surrogates are malformed too: "\xC0\xA9" read as ")" would write back
    // another name than the one read.
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return c;
}

char32_t LowerChar(char32_t c) {
    if (c >= 'A' && c <= 'Z') {
        return c + 32;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 32;
    }
    switch (c) {
        case 0x0160:
            return 0x0161;
        case 0x0152:
            return 0x0153;
        case 0x017D:
            return 0x017E;
        case 0x0178:
            return 0x00FF;
        default:
            return c;
    }
}

char32_t UpperChar(char32_t c) {
    if (c >= 'a' && c <= 'z') {
        return c - 32;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 32;
    }
    switch (c) {
        case 0x0161:
            return 0x0160;
        case 0x0153:
            return 0x0152;
        case 0x017E:
            return 0x017D;
        case 0x00FF:
            return 0x0178;
        default:
            return c;
    }
}

template <typename Map>
std::string MapChars(std::string_view utf8, Map map) {
    std::string out(utf8);
    std::size_t pos = 0;
    // Plain ASCII, nearly every pod name, is mapped in place.
    for (; pos < utf8.size(); ++pos) {
        const auto b = static_cast<unsigned char>(utf8[pos]);
        if (b >= 0x80) {
            break;
        }
        out[pos] = static_cast<char>(map(b));
    }
    if (pos == utf8.size()) {
        return out;
    }
    out.resize(pos);
    while (pos < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[pos]);
        if (b < 0x80) {
            out += static_cast<char>(map(b));
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        if (auto c = NextChar(utf8, pos)) {
            AppendUtf8(out, map(*c));
        } else {
            out += utf8[start];  // malformed bytes pass through untouched
            pos = start + 1;
        }
    }
    return out;
}

}  // namespace

std::string LowerCase(std::string_view utf8) {
    return MapChars(utf8, [](char32_t c) { return LowerChar(c); });
}
std::string UpperCase(std::string_view utf8) {
    return MapChars(utf8, [](char32_t c) { return UpperChar(c); });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    // Plain ASCII, what a scan compares for every pod, is compared without copying; from the
    // first other byte on (a character boundary) the rest is folded whole.
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80) {
            return LowerCase(a.substr(i)) == LowerCase(b.substr(i));
        }
        if (LowerChar(x) != LowerChar(y)) {
            return false;
        }
    }
    return LowerCase(a.substr(common)) == LowerCase(b.substr(common));
}

std::string FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            AppendUtf8(out, kHighControls[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::optional<std::string> ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        auto c = NextChar(utf8, pos);
        if (!c) {
            return std::nullopt;
        }
        if (*c < 0x80 || (*c >= 0xA0 && *c <= 0xFF)) {
            out += static_cast<char>(*c);
            continue;
        }
        bool found = false;
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            if (kHighControls[i] == *c) {
                out += static_cast<char>(0x80 + i);
                found = true;
                break;
            }
        }
        if (!found) {
            return std::nullopt;
        }
    }
    return out;
}

std::string TrimLeft(std::string_view s, std::string_view blanks) {
    const auto first = s.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string TrimRight(std::string_view s, std::string_view blanks) {
    const auto last = s.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s, std::string_view blanks) {
    return TrimRight(TrimLeft(s, blanks), blanks);
}

bool EndsWithIgnoringCase(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() &&
           EqualsIgnoringCase(s.substr(s.size() - suffix.size()), suffix);
}

std::optional<short> ParseInt16(std::string_view s) {
    std::string t = Trim(s);
    std::string_view v = t;
    if (!v.empty() && v.front() == '+') {
        v.remove_prefix(1);
    }
    if (v.empty()) {
        return std::nullopt;
    }
    long value = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec != std::errc() || end != v.data() + v.size() || value < -32768 || value > 32767) {
        return std::nullopt;
    }
    return static_cast<short>(value);
}

std::u16string ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        char32_t c = 0xFFFD;
        if (auto decoded = NextChar(utf8, pos)) {
            c = *decoded;
        } else {
            pos = start + 1;
        }
        AppendUtf16(out, c);
    }
    return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

std::string FromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace marvok::text
