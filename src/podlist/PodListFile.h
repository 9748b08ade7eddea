#pragma once
// The pod list file format shared by pod.ini, saved lists and the clipboard: the count, then one
// name a line, CR LF after every line, Windows-1252.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marvok {

struct ParsedPodList {
    long long count = 0;             // the count as written (0 when not a number)
    std::vector<std::string> names;  // at most min(count, limit) fields, UTF-8
    bool isList = false;             // the first field is a whole number
    long long leftOut = 0;           // entries the count announces and the file holds, past limit
    std::vector<std::string> leftOutNames;  // the first kMaxNamedLeftOut of them, UTF-8
};

// A list of millions of tiny entries must not cost gigabytes to name them all.
inline constexpr std::size_t kMaxNamedLeftOut = 100000;

// Reads the count and then at most min(count, limit) name fields. Fields: leading blanks are
// skipped; a field in double quotes runs to the next quote; any other field ends at a comma or
// the line end and loses its trailing blanks; blank lines are skipped. The bytes are
// Windows-1252, or UTF-8 or UTF-16 LE after their byte-order mark (Notepad's encodings).
ParsedPodList ParsePodList(std::string_view bytes, long long limit);

// Whether a name written as one line reads back as exactly that name: not empty, no comma or
// line end, no quote first, no blank or tab at either end, and a Windows-1252 form.
bool CanWritePodName(std::string_view name);

// The file's bytes for a list; nothing when a name cannot be written (CanWritePodName).
std::optional<std::string> FormatPodList(const std::vector<std::string>& names);

// The same text as UTF-8 (the clipboard's form).
std::string FormatPodListText(const std::vector<std::string>& names);

}  // namespace marvok
