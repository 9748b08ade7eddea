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
};

// Reads the count and then at most min(count, limit) name fields. Fields: leading blanks are
// skipped; a field in double quotes runs to the next quote; any other field ends at a comma or
// the line end and loses its trailing blanks; blank lines are skipped.
ParsedPodList ParsePodList(std::string_view bytes, long long limit);

// The file's bytes for a list; nothing when a name has no Windows-1252 form.
std::optional<std::string> FormatPodList(const std::vector<std::string>& names);

// The same text as UTF-8 (the clipboard's form).
std::string FormatPodListText(const std::vector<std::string>& names);

}  // namespace marvok
