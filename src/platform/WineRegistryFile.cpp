#include "platform/WineRegistryFile.h"

#include <algorithm>
#include <cstdio>

#include "common/Text.h"
#include "platform/WineShortName.h"

namespace marvok::winereg {
namespace {

constexpr std::string_view kVersionLine = "WINE REGISTRY Version 2";
constexpr std::uint64_t kTicksPerSecond = 10000000ULL;
constexpr std::uint64_t kTicks1601To1970 = 116444736000000000ULL;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    return static_cast<unsigned>(c - 'A' + 10);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void SkipBlanks(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && IsBlank(line[pos])) {
        ++pos;
    }
}

// One character of raw text: UTF-8 when it is valid, else the byte itself (Latin-1).
char32_t NextRawChar(std::string_view line, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(line[pos]);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07u;
    }
    if (length == 0 || pos + length > line.size()) {
        ++pos;
        return lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(line[pos + i]);
        if ((next & 0xC0u) != 0x80u) {
            ++pos;
            return lead;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    pos += length;
    return c;
}

// Reads escaped text up to the closing character; pos ends after it.
bool ParseQuoted(std::string_view line, std::size_t& pos, char end, std::u16string& out) {
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == end) {
            ++pos;
            return true;
        }
        if (c != '\\') {
            text::AppendUtf16(out, NextRawChar(line, pos));
            continue;
        }
        if (++pos >= line.size()) {
            return false;
        }
        const char e = line[pos++];
        switch (e) {
            case 'a':
                out += u'\a';
                break;
            case 'b':
                out += u'\b';
                break;
            case 'e':
                out += u'\x1b';
                break;
            case 'f':
                out += u'\f';
                break;
            case 'n':
                out += u'\n';
                break;
            case 'r':
                out += u'\r';
                break;
            case 't':
                out += u'\t';
                break;
            case 'v':
                out += u'\v';
                break;
            case 'x': {
                if (pos >= line.size() || !IsHexDigit(line[pos])) {
                    out += u'x';
                    break;
                }
                unsigned value = 0;
                for (int i = 0; i < 4 && pos < line.size() && IsHexDigit(line[pos]); ++i) {
                    value = value * 16 + HexValue(line[pos++]);
                }
                out += static_cast<char16_t>(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    unsigned value = static_cast<unsigned>(e - '0');
                    for (int i = 0;
                         i < 2 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++i) {
                        value = value * 8 + static_cast<unsigned>(line[pos++] - '0');
                    }
                    out += static_cast<char16_t>(value);
                } else {
                    --pos;
                    text::AppendUtf16(out, NextRawChar(line, pos));
                }
                break;
        }
    }
    return false;
}

std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::u16string BytesToUtf16(std::string_view bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

std::string TrimEnd(std::string_view text, std::string_view characters) {
    const auto end = text.find_last_not_of(characters);
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

bool RestIsBlank(std::string_view line, std::size_t pos) {
    SkipBlanks(line, pos);
    return pos == line.size();
}

struct Lines {
    std::vector<std::string_view> items;  // without the CR of a CR LF
    std::vector<std::string_view> raw;    // as they stand, for the header kept byte for byte
    explicit Lines(std::string_view text) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            std::string_view line = text.substr(start, end - start);
            raw.push_back(line);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            items.push_back(line);
            start = end + 1;
        }
    }
};

class Parser {
  public:
    explicit Parser(std::string_view text) : lines_(text) {}

    ParseResult Run() {
        ParseResult result;
        if (lines_.items.empty() || lines_.items[0] != kVersionLine) {
            result.error = "line 1: the file does not start with \"WINE REGISTRY Version 2\"";
            return result;
        }
        Hive hive;
        Key* current = nullptr;
        bool inHeader = true;
        for (index_ = 1; index_ < lines_.items.size(); ++index_) {
            const std::string_view line = lines_.items[index_];
            std::size_t pos = 0;
            SkipBlanks(line, pos);
            const char first = pos < line.size() ? line[pos] : '\0';
            if (first == '[') {
                inHeader = false;
                current = ParseKeyLine(hive, line, pos + 1);
                if (current == nullptr) {
                    return Fail();
                }
            } else if (inHeader && (first == '"' || first == '@')) {
                error_ = "a value comes before the first key";
                return Fail();
            } else if (inHeader) {
                hive.header.emplace_back(lines_.raw[index_]);
            } else if (first == '\0' || first == ';') {
                continue;
            } else if (first == '#') {
                current->meta.emplace_back(TrimEnd(line.substr(pos), "\r"));
            } else if (first == '"' || first == '@') {
                if (!ParseValueLine(*current, line, pos)) {
                    return Fail();
                }
            } else {
                error_ = "unreadable line";
                return Fail();
            }
        }
        // The blank line before the first key separates it; it is written back with the key.
        while (!hive.header.empty() &&
               hive.header.back().find_first_not_of(" \t\r") == std::string::npos) {
            hive.header.pop_back();
        }
        result.hive = std::move(hive);
        return result;
    }

  private:
    ParseResult Fail() {
        ParseResult result;
        result.error = "line " + std::to_string(index_ + 1) + ": " + error_;
        return result;
    }

    Key* ParseKeyLine(Hive& hive, std::string_view line, std::size_t pos) {
        std::u16string path;
        if (!ParseQuoted(line, pos, ']', path)) {
            error_ = "the key name has no closing \"]\"";
            return nullptr;
        }
        Key* key = &hive.root;
        std::size_t start = 0;
        std::size_t depth = 0;
        while (start <= path.size()) {
            std::size_t end = path.find(u'\\', start);
            if (end == std::u16string::npos) {
                end = path.size();
            }
            if (end > start) {
                if (++depth > kMaxKeyDepth) {
                    error_ = "the keys nest deeper than " + std::to_string(kMaxKeyDepth) +
                             " levels";
                    return nullptr;
                }
                key = &key->AddSubkey(std::u16string_view(path).substr(start, end - start));
            }
            start = end + 1;
        }
        SkipBlanks(line, pos);
        // A CR that Wine's line end did not take would come back as a line end.
        key->stamp = TrimEnd(line.substr(pos), " \t\r");
        key->meta.clear();
        return key;
    }

    bool ParseValueLine(Key& key, std::string_view line, std::size_t pos) {
        std::u16string name;
        if (line[pos] == '@') {
            ++pos;
        } else {
            ++pos;
            if (!ParseQuoted(line, pos, '"', name)) {
                error_ = "the value name has no closing quote";
                return false;
            }
        }
        SkipBlanks(line, pos);
        if (pos >= line.size() || line[pos] != '=') {
            error_ = "\"=\" is missing after the value name";
            return false;
        }
        ++pos;
        SkipBlanks(line, pos);
        std::uint32_t type = 0;
        std::string data;
        if (!ParseData(line, pos, type, data)) {
            return false;
        }
        key.SetValue(name, type, std::move(data));
        return true;
    }

    static bool StartsWith(std::string_view line, std::size_t pos, std::string_view word) {
        return line.substr(pos, word.size()) == word;
    }

    bool ParseTypeNumber(std::string_view line, std::size_t& pos, std::uint32_t& type) {
        // "(N):" with N in hexadecimal
        std::size_t digits = 0;
        std::uint64_t value = 0;
        while (pos < line.size() && IsHexDigit(line[pos]) && digits < 8) {
            value = value * 16 + HexValue(line[pos++]);
            ++digits;
        }
        if (digits == 0 || !StartsWith(line, pos, "):")) {
            error_ = "the value type is unreadable";
            return false;
        }
        pos += 2;
        type = static_cast<std::uint32_t>(value);
        return true;
    }

    bool ParseData(std::string_view line, std::size_t pos, std::uint32_t& type, std::string& data) {
        if (line.substr(pos, 1) == "\"" || StartsWith(line, pos, "str(")) {
            type = 1;
            if (line[pos] != '"') {
                pos += 4;
                if (!ParseTypeNumber(line, pos, type)) {
                    return false;
                }
                if (line.substr(pos, 1) != "\"") {
                    error_ = "the text has no opening quote";
                    return false;
                }
            }
            ++pos;
            std::u16string text;
            if (!ParseQuoted(line, pos, '"', text)) {
                error_ = "the text has no closing quote";
                return false;
            }
            if (!RestIsBlank(line, pos)) {
                error_ = "unexpected characters after the text";
                return false;
            }
            text += u'\0';
            data = Utf16Bytes(text);
            return true;
        }
        if (StartsWith(line, pos, "dword:")) {
            pos += 6;
            std::size_t digits = 0;
            std::uint32_t value = 0;
            while (pos < line.size() && IsHexDigit(line[pos]) && digits < 8) {
                value = value * 16 + HexValue(line[pos++]);
                ++digits;
            }
            if (digits == 0 || !RestIsBlank(line, pos)) {
                error_ = "the dword is not 1 to 8 hexadecimal digits";
                return false;
            }
            type = 4;
            for (int i = 0; i < 4; ++i) {
                data += static_cast<char>((value >> (8 * i)) & 0xFF);
            }
            return true;
        }
        if (StartsWith(line, pos, "hex:") || StartsWith(line, pos, "hex(")) {
            type = 3;
            if (line[pos + 3] == '(') {
                pos += 4;
                if (!ParseTypeNumber(line, pos, type)) {
                    return false;
                }
            } else {
                pos += 4;
            }
            return ParseHexBytes(line, pos, data);
        }
        error_ = "unknown kind of value data";
        return false;
    }

    // Bytes "01,ff,..." that may go on over lines ending in "\".
    bool ParseHexBytes(std::string_view line, std::size_t pos, std::string& data) {
        for (;;) {
            SkipBlanks(line, pos);
            if (pos >= line.size()) {
                return true;
            }
            if (line[pos] == '\\' && RestIsBlank(line, pos + 1)) {
                if (index_ + 1 >= lines_.items.size()) {
                    error_ = "the hexadecimal data breaks off at the end of the file";
                    return false;
                }
                line = lines_.items[++index_];
                pos = 0;
                continue;
            }
            if (pos + 1 >= line.size() || !IsHexDigit(line[pos]) || !IsHexDigit(line[pos + 1])) {
                error_ = "bad hexadecimal data";
                return false;
            }
            data += static_cast<char>(HexValue(line[pos]) * 16 + HexValue(line[pos + 1]));
            pos += 2;
            SkipBlanks(line, pos);
            if (pos < line.size()) {
                if (line[pos] != ',') {
                    error_ = "bad hexadecimal data";
                    return false;
                }
                ++pos;
            }
        }
    }

    Lines lines_;
    std::size_t index_ = 0;
    std::string error_;
};

template <typename Items, typename NameOf>
auto LowerBound(Items& items, std::u16string_view name, NameOf nameOf) {
    return std::lower_bound(items.begin(), items.end(), name, [&](const auto& item, auto n) {
        return CompareIgnoringCase(nameOf(item), n) < 0;
    });
}

const std::u16string& KeyName(const std::unique_ptr<Key>& key) {
    return key->name;
}
const std::u16string& ValueName(const Value& value) {
    return value.name;
}

void AppendFormat(std::string& out, const char* format, unsigned long long value) {
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    out.append(buffer, static_cast<std::size_t>(n));
}

bool ShouldWrite(const Key& key) {
    if (!key.values.empty() || key.subkeys.empty()) {
        return true;
    }
    return std::any_of(key.meta.begin(), key.meta.end(), [](const std::string& line) {
        return line.rfind("#class=", 0) == 0 || line == "#link";
    });
}

void WriteValue(std::string& out, const Value& value) {
    std::size_t count = 0;
    if (value.name.empty()) {
        out += "@=";
        count = 2;
    } else {
        const std::string name = Escape(value.name, "\"");
        out += '"';
        out += name;
        out += "\"=";
        count = name.size() + 3;
    }
    const std::u16string text = BytesToUtf16(value.data);
    const bool stringType = value.type == 1 || value.type == 2 || value.type == 7;
    if (stringType && value.data.size() >= 2 && value.data.size() % 2 == 0 && text.back() == 0) {
        if (value.type != 1) {
            AppendFormat(out, "str(%llx):", value.type);
        }
        out += '"';
        // The terminating NUL is implied by the quotes.
        out += Escape(std::u16string_view(text).substr(0, text.size() - 1), "\"");
        out += "\"\n";
        return;
    }
    if (value.type == 4 && value.data.size() == 4) {
        unsigned long long number = 0;
        for (int i = 3; i >= 0; --i) {
            number =
                (number << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
        }
        AppendFormat(out, "dword:%08llx\n", number);
        return;
    }
    const std::size_t before = out.size();
    if (value.type == 3) {
        out += "hex:";
    } else {
        AppendFormat(out, "hex(%llx):", value.type);
    }
    count += out.size() - before;
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        AppendFormat(out, "%02llx", static_cast<unsigned char>(value.data[i]));
        count += 2;
        if (i + 1 < value.data.size()) {
            out += ',';
            if (++count > 76) {
                out += "\\\n  ";
                count = 2;
            }
        }
    }
    out += '\n';
}

void WriteKeys(std::string& out, const Key& key, std::string& path) {
    if (ShouldWrite(key)) {
        out += "\n[";
        out += path;
        out += ']';
        if (!key.stamp.empty()) {
            out += ' ';
            out += key.stamp;
        }
        out += '\n';
        for (const auto& line : key.meta) {
            out += line;
            out += '\n';
        }
        for (const auto& value : key.values) {
            WriteValue(out, value);
        }
    }
    for (const auto& sub : key.subkeys) {
        const std::size_t length = path.size();
        if (!path.empty()) {
            path += "\\\\";
        }
        path += Escape(sub->name, "[]");
        WriteKeys(out, *sub, path);
        path.resize(length);
    }
}

}  // namespace

char16_t FoldCase(char16_t c) {
    // Wine orders names by its own lower-case table, the one its short names use too.
    return platform::WineLowerCase(c);
}

int CompareIgnoringCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = FoldCase(a[i]);
        const char16_t y = FoldCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

std::string Escape(std::u16string_view text, std::string_view alsoEscape) {
    static constexpr std::string_view kEscapes = ".......abtnvfr.............e....";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool hasNext = i + 1 < text.size();
        const char16_t next = hasNext ? text[i + 1] : 0;
        if (c > 127) {
            const bool hexFollows = hasNext && next < 128 && IsHexDigit(static_cast<char>(next));
            AppendFormat(out, hexFollows ? "\\x%04llx" : "\\x%llx", c);
            continue;
        }
        if (c < 32) {
            if (kEscapes[c] != '.') {
                out += '\\';
                out += kEscapes[c];
            } else {
                const bool octalFollows = hasNext && next >= u'0' && next <= u'7';
                AppendFormat(out, octalFollows ? "\\%03llo" : "\\%llo", c);
            }
            continue;
        }
        const char ascii = static_cast<char>(c);
        if (ascii == '\\' || alsoEscape.find(ascii) != std::string_view::npos) {
            out += '\\';
        }
        out += ascii;
    }
    return out;
}

Key* Key::FindSubkey(std::u16string_view wanted) const {
    auto it = LowerBound(subkeys, wanted, KeyName);
    if (it != subkeys.end() && CompareIgnoringCase((*it)->name, wanted) == 0) {
        return it->get();
    }
    return nullptr;
}

Key& Key::AddSubkey(std::u16string_view wanted) {
    auto it = LowerBound(subkeys, wanted, KeyName);
    if (it != subkeys.end() && CompareIgnoringCase((*it)->name, wanted) == 0) {
        return **it;
    }
    auto key = std::make_unique<Key>();
    key->name = std::u16string(wanted);
    return **subkeys.insert(it, std::move(key));
}

bool Key::RemoveSubkey(std::u16string_view wanted) {
    auto it = LowerBound(subkeys, wanted, KeyName);
    if (it == subkeys.end() || CompareIgnoringCase((*it)->name, wanted) != 0) {
        return false;
    }
    subkeys.erase(it);
    return true;
}

const Value* Key::FindValue(std::u16string_view wanted) const {
    auto it = LowerBound(values, wanted, ValueName);
    if (it != values.end() && CompareIgnoringCase(it->name, wanted) == 0) {
        return &*it;
    }
    return nullptr;
}

void Key::SetValue(std::u16string_view wanted, std::uint32_t type, std::string data) {
    auto it = LowerBound(values, wanted, ValueName);
    if (it != values.end() && CompareIgnoringCase(it->name, wanted) == 0) {
        it->type = type;
        it->data = std::move(data);
        return;
    }
    values.insert(it, Value{std::u16string(wanted), type, std::move(data)});
}

bool Key::RemoveValue(std::u16string_view wanted) {
    auto it = LowerBound(values, wanted, ValueName);
    if (it == values.end() || CompareIgnoringCase(it->name, wanted) != 0) {
        return false;
    }
    values.erase(it);
    return true;
}

void Key::Touch(std::uint64_t fileTime) {
    stamp.clear();
    AppendFormat(stamp, "%llu", (fileTime - kTicks1601To1970) / kTicksPerSecond);
    std::string time = "#time=";
    AppendFormat(time, "%llx", fileTime >> 32);
    AppendFormat(time, "%08llx", fileTime & 0xFFFFFFFFULL);
    for (auto& line : meta) {
        if (line.rfind("#time=", 0) == 0) {
            line = time;
            return;
        }
    }
    meta.insert(meta.begin(), time);
}

bool Hive::Win64() const {
    return std::any_of(header.begin(), header.end(),
                       [](const std::string& line) { return TrimEnd(line, "\r") == "#arch=win64"; });
}

ParseResult Parse(std::string_view text) {
    return Parser(text).Run();
}

std::string Serialize(const Hive& hive) {
    std::string out(kVersionLine);
    out += '\n';
    for (const auto& line : hive.header) {
        out += line;
        out += '\n';
    }
    std::string path;
    WriteKeys(out, hive.root, path);
    return out;
}

Hive NewHive(std::string_view relativeTo, bool win64) {
    Hive hive;
    std::u16string relative;
    for (char c : relativeTo) {
        relative += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    hive.header.push_back(";; All keys relative to " + Escape(relative, ""));
    hive.header.emplace_back();
    hive.header.push_back(win64 ? "#arch=win64" : "#arch=win32");
    return hive;
}

}  // namespace marvok::winereg
