#include "common/PrivateProfile.h"

#include "common/Text.h"

namespace marvok {
namespace {

// What the system's calls trim from each line and around names and values: blanks, tabs,
// vertical tabs, form feeds and the DOS end-of-file mark. Other control bytes are text.
constexpr std::string_view kTrimmed = " \t\v\f\x1a";

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// A section line starts with "[" and has a "]" after it; "[name" alone is an ordinary line.
bool IsSectionLine(std::string_view trimmedLine) {
    return !trimmedLine.empty() && trimmedLine.front() == '[' &&
           trimmedLine.find_last_of(']') != 0 &&
           trimmedLine.find_last_of(']') != std::string_view::npos;
}

// The name between the "[" and the last "]".
std::string SectionName(std::string_view trimmedLine) {
    const auto close = trimmedLine.find_last_of(']');
    return text::Trim(trimmedLine.substr(1, close - 1), kTrimmed);
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool IsUtf8(std::string_view s) {
    return text::FromUtf16(text::ToUtf16(s)) == s;
}

}  // namespace

PrivateProfile PrivateProfile::Parse(std::string_view content) {
    PrivateProfile profile;
    if (content.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        profile.encoding_ = Encoding::Utf8;
        profile.content_ = std::string(content.substr(kUtf8Mark.size()));
    } else if (content.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
        profile.encoding_ = Encoding::Utf16Le;
        content.remove_prefix(kUtf16LeMark.size());
        std::u16string units;
        for (std::size_t i = 0; i + 1 < content.size(); i += 2) {
            units += static_cast<char16_t>(static_cast<unsigned char>(content[i]) |
                                           static_cast<unsigned char>(content[i + 1]) << 8);
        }
        if (content.size() % 2 != 0) {
            profile.oddByte_ = std::string(content.substr(content.size() - 1));
        }
        profile.content_ = text::FromUtf16(units);
    } else {
        profile.content_ = std::string(content);
    }
    profile.Index();
    return profile;
}

std::string PrivateProfile::Serialize() const {
    switch (encoding_) {
    case Encoding::Bytes:
        return content_;
    case Encoding::Utf8:
        return std::string(kUtf8Mark) + content_;
    case Encoding::Utf16Le:
        break;
    }
    std::string out(kUtf16LeMark);
    for (const char16_t unit : text::ToUtf16(content_)) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out + oddByte_;
}

void PrivateProfile::Index() {
    lines_.clear();
    std::size_t pos = 0;
    while (pos < content_.size()) {
        Line line;
        line.begin = pos;
        while (pos < content_.size() && content_[pos] != '\r' && content_[pos] != '\n') {
            ++pos;
        }
        line.end = pos;
        while (pos < content_.size() && (content_[pos] == '\r' || content_[pos] == '\n')) {
            ++pos;
        }
        line.next = pos;
        lines_.push_back(line);
    }
}

std::string PrivateProfile::Trimmed(const Line& line) const {
    return text::Trim(std::string_view(content_).substr(line.begin, line.end - line.begin),
                      kTrimmed);
}

PrivateProfile::Located PrivateProfile::Locate(std::string_view section,
                                               std::string_view key) const {
    Located found;
    const std::string wantedSection = text::LowerCase(text::Trim(section, kTrimmed));
    const std::string wantedKey = text::LowerCase(text::Trim(key, kTrimmed));
    // Lines before the first section form the section with the empty name.
    bool inSection = wantedSection.empty();
    if (inSection) {
        found.sectionLine = std::nullopt;
    }
    bool sectionSeen = inSection;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string t = Trimmed(lines_[i]);
        if (IsSectionLine(t)) {
            if (inSection) {
                found.sectionEnd = i;
                return found;
            }
            if (!sectionSeen && text::LowerCase(SectionName(t)) == wantedSection) {
                inSection = true;
                sectionSeen = true;
                found.sectionLine = i;
            }
            continue;
        }
        if (!inSection || found.keyLine || t.empty()) {
            continue;
        }
        const auto eq = t.find('=');
        const std::string name = text::Trim(std::string_view(t).substr(0, eq), kTrimmed);
        if (text::LowerCase(name) == wantedKey) {
            found.keyLine = i;
        }
    }
    found.sectionEnd = lines_.size();
    if (!sectionSeen) {
        found.sectionEnd = 0;
    }
    return found;
}

std::optional<std::string> PrivateProfile::Get(std::string_view section,
                                               std::string_view key) const {
    const Located found = Locate(section, key);
    if (!found.keyLine) {
        return std::nullopt;
    }
    const std::string t = Trimmed(lines_[*found.keyLine]);
    const auto eq = t.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;  // a key without "=" holds no value: it reads as missing
    }
    std::string value = text::Trim(std::string_view(t).substr(eq + 1), kTrimmed);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<std::string> PrivateProfile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const std::string wanted = text::LowerCase(text::Trim(section, kTrimmed));
    bool inSection = wanted.empty();
    bool seen = inSection;
    for (const Line& line : lines_) {
        const std::string t = Trimmed(line);
        if (IsSectionLine(t)) {
            if (inSection) {
                break;
            }
            if (!seen && text::LowerCase(SectionName(t)) == wanted) {
                inSection = seen = true;
            }
            continue;
        }
        // Only keys that hold a value are listed; ";" lines are comments here.
        if (inSection && t.find('=') != std::string::npos && t.front() != ';') {
            keys.push_back(text::Trim(std::string_view(t).substr(0, t.find('=')), kTrimmed));
        }
    }
    return keys;
}

bool PrivateProfile::Set(std::string_view section, std::string_view key, std::string_view value) {
    // A line break or a "=" in a name would write lines that read back as something else.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        key.find('=') != std::string_view::npos) {
        return false;
    }
    // A UTF-16 file holds only what UTF-16 can say: bytes that are no UTF-8 would not read back.
    if (encoding_ == Encoding::Utf16Le &&
        !(IsUtf8(section) && IsUtf8(key) && IsUtf8(value))) {
        return false;
    }
    const std::string name = text::Trim(key, kTrimmed);
    const std::string sectionName = text::Trim(section, kTrimmed);
    const Located found = Locate(sectionName, name);
    if (found.keyLine) {
        const Line& line = lines_[*found.keyLine];
        const std::string t = Trimmed(line);
        const std::string existing = text::Trim(std::string_view(t).substr(0, t.find('=')), kTrimmed);
        content_.replace(line.begin, line.end - line.begin, existing + "=" + std::string(value));
        Index();
        return true;
    }
    const std::string entry = name + "=" + std::string(value) + "\r\n";
    const bool sectionExists = found.sectionLine.has_value() || (sectionName.empty());
    if (sectionExists && (found.sectionLine || !lines_.empty())) {
        // After the last non-blank line of the section.
        std::size_t last = found.sectionLine.value_or(0);
        const std::size_t firstLine = found.sectionLine ? *found.sectionLine + 1 : 0;
        bool any = found.sectionLine.has_value();
        for (std::size_t i = firstLine; i < found.sectionEnd; ++i) {
            if (!Trimmed(lines_[i]).empty()) {
                last = i;
                any = true;
            }
        }
        if (any) {
            // Right after the line's own break: blank lines that follow stay after the new key.
            const Line& line = lines_[last];
            std::size_t at = line.end;
            if (at < content_.size() && content_[at] == '\r') {
                ++at;
            }
            if (at < content_.size() && content_[at] == '\n') {
                ++at;
            }
            std::string insert = entry;
            if (at == line.end) {  // the file's last line has no line break yet
                insert = "\r\n" + entry;
            }
            content_.insert(at, insert);
            Index();
            return true;
        }
        content_.insert(0, entry);
        Index();
        return true;
    }
    if (sectionName.empty()) {
        content_.insert(0, entry);
        Index();
        return true;
    }
    if (!content_.empty() && content_.back() != '\n' && content_.back() != '\r') {
        content_ += "\r\n";
    }
    content_ += "[" + sectionName + "]\r\n" + entry;
    Index();
    return true;
}

}  // namespace marvok
