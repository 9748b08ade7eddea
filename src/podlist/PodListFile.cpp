#include "podlist/PodListFile.h"

#include <charconv>

#include "shell/Text.h"

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

long long ParseCount(std::string_view field) {
    std::string_view v = field;
    bool negative = false;
    if (!v.empty() && (v.front() == '+' || v.front() == '-')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    if (v.empty() || v.find_first_not_of("0123456789") != std::string_view::npos) {
        return 0;
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec == std::errc::result_out_of_range) {
        value = negative ? 0 : (1LL << 62);  // far above any pod limit
    } else if (ec != std::errc() || end != v.data() + v.size()) {
        return 0;
    }
    return negative ? -value : value;
}

}  // namespace

ParsedPodList ParsePodList(std::string_view bytes, long long limit) {
    ParsedPodList list;
    FieldReader reader(bytes);
    auto countField = reader.Next();
    if (!countField) {
        return list;
    }
    list.count = ParseCount(*countField);
    const long long wanted = std::min(list.count, limit);
    for (long long i = 0; i < wanted; ++i) {
        auto field = reader.Next();
        if (!field) {
            break;
        }
        list.names.push_back(text::FromWindows1252(*field));
    }
    return list;
}

std::optional<std::string> FormatPodList(const std::vector<std::string>& names) {
    std::string bytes = std::to_string(names.size()) + "\r\n";
    for (const auto& name : names) {
        auto encoded = text::ToWindows1252(name);
        if (!encoded) {
            return std::nullopt;
        }
        bytes += *encoded;
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
