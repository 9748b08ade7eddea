#include "podlist/PodListFile.h"

#include <charconv>

#include "common/Text.h"

namespace marvok {
namespace {

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : s_(bytes) {}

    // The next field, or nothing at the end of the input.
    std::optional<std::string> Next() {
        // Blank lines and leading blanks carry no field.
        for (;;) {
            while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) {
                ++pos_;
            }
            if (pos_ < s_.size() && IsLineEnd(s_[pos_]) && !afterComma_) {
                SkipLineEnd();
                continue;
            }
            break;
        }
        if (pos_ >= s_.size()) {
            if (afterComma_) {
                afterComma_ = false;
                return std::string();
            }
            return std::nullopt;
        }
        afterComma_ = false;
        std::string field;
        if (s_[pos_] == '"') {
            const auto close = s_.find('"', pos_ + 1);
            const auto end = close == std::string_view::npos ? s_.size() : close;
            field = std::string(s_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = close == std::string_view::npos ? s_.size() : close + 1;
            // Whatever follows the closing quote up to the delimiter is dropped.
            while (pos_ < s_.size() && s_[pos_] != ',' && !IsLineEnd(s_[pos_])) {
                ++pos_;
            }
        } else {
            const auto start = pos_;
            while (pos_ < s_.size() && s_[pos_] != ',' && !IsLineEnd(s_[pos_])) {
                ++pos_;
            }
            field = text::TrimRight(s_.substr(start, pos_ - start));
        }
        if (pos_ < s_.size() && s_[pos_] == ',') {
            ++pos_;
            afterComma_ = true;
        } else if (pos_ < s_.size()) {
            SkipLineEnd();
        }
        return field;
    }

private:
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
    void SkipLineEnd() {
        if (s_[pos_] == '\r' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') {
            pos_ += 2;
        } else {
            ++pos_;
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    bool afterComma_ = false;
};

// The count field as a whole number; nothing when it is not one.
std::optional<long long> ParseCount(std::string_view field) {
    std::string_view v = field;
    bool negative = false;
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    if (v.empty() || v.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec == std::errc::result_out_of_range) {
        value = negative ? 0 : (1LL << 62);  // far above any pod limit
    } else if (ec != std::errc() || end != v.data() + v.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

constexpr std::string_view kUtf8Mark = "\xef\xbb\xbf";
constexpr std::string_view kUtf16LeMark = "\xff\xfe";

std::string FromUtf16Le(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return text::FromUtf16(units);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

ParsedPodList ParsePodList(std::string_view bytes, long long limit) {
    // Notepad marks its UTF-8 and "Unicode" files; their names are taken as UTF-8 then.
    std::string decoded;
    bool utf8 = false;
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        utf8 = true;
    } else if (bytes.starts_with(kUtf16LeMark)) {
        decoded = FromUtf16Le(bytes.substr(kUtf16LeMark.size()));
        bytes = decoded;
        utf8 = true;
    }
    ParsedPodList list;
    FieldReader reader(bytes);
    auto countField = reader.Next();
    const auto count = countField ? ParseCount(*countField) : std::nullopt;
    if (!count) {
        return list;
    }
    list.isList = true;
    list.count = *count;
    const auto name = [utf8](std::string& field) {
        return utf8 ? std::move(field) : text::FromWindows1252(field);
    };
    const long long wanted = std::min(list.count, limit);
    for (long long i = 0; i < wanted; ++i) {
        auto field = reader.Next();
        if (!field) {
            return list;
        }
        list.names.push_back(name(*field));
    }
    while (list.leftOut < list.count - static_cast<long long>(list.names.size())) {
        auto field = reader.Next();
        if (!field) {
            break;
        }
        if (list.leftOutNames.size() < kMaxNamedLeftOut) {
            list.leftOutNames.push_back(name(*field));
        }
        ++list.leftOut;
    }
    return list;
}

bool CanWritePodName(std::string_view name) {
    if (name.empty() || name.front() == '"' || IsBlank(name.front()) || IsBlank(name.back())) {
        return false;
    }
    // One pass over the name: this runs for every pod a scan finds.
    bool ascii = true;
    for (const char c : name) {
        if (c == ',' || c == '\r' || c == '\n') {
            return false;
        }
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    }
    return ascii || text::ToWindows1252(name).has_value();
}

std::optional<std::string> FormatPodList(const std::vector<std::string>& names) {
    std::string bytes = std::to_string(names.size()) + "\r\n";
    for (const auto& name : names) {
        if (!CanWritePodName(name)) {
            return std::nullopt;
        }
        bytes += *text::ToWindows1252(name);
        bytes += "\r\n";
    }
    return bytes;
}

std::string FormatPodListText(const std::vector<std::string>& names) {
    std::string textOut = std::to_string(names.size()) + "\r\n";
    for (const auto& name : names) {
        textOut += name;
        textOut += "\r\n";
    }
    return textOut;
}

}  // namespace marvok
