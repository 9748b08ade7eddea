#pragma once
// An ini file with the semantics of the Windows private-profile calls: names match ignoring
// case, the first matching section and key win, a value loses a matching pair of quotes when read,
// a key line without "=" reads as missing.
// Setting a value rewrites only that line; every other line stays byte for byte.
// Like the system's calls, it reads a file with a UTF-8 or a UTF-16 LE byte-order mark as that
// encoding and writes it back in it; a file without a mark is taken byte for byte.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marvok {

class PrivateProfile {
public:
    // Bytes: no mark, text as it stands (the caller knows its code page). The others: UTF-8 text.
    enum class Encoding { Bytes, Utf8, Utf16Le };

    static PrivateProfile Parse(std::string_view content);

    Encoding FileEncoding() const { return encoding_; }

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // False, and nothing changed, when a name or the value holds a line break or the key a "=",
    // or, in a UTF-16 file, bytes that are not UTF-8.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Names of the keys of a section that hold a value, in file order (the first section of that
    // name); lines starting with ";" are not listed.
    std::vector<std::string> Keys(std::string_view section) const;
    // The file's bytes, in the encoding it was read in.
    std::string Serialize() const;

private:
    struct Line {
        std::size_t begin = 0;  // offset of the line's text in content_
        std::size_t end = 0;    // end of the text, before its line break
        std::size_t next = 0;   // start of the next line
    };
    struct Located {
        std::optional<std::size_t> sectionLine;  // index of the "[section]" line
        std::size_t sectionEnd = 0;               // first line after the section
        std::optional<std::size_t> keyLine;
    };

    void Index();
    Located Locate(std::string_view section, std::string_view key) const;
    std::string Trimmed(const Line& line) const;

    Encoding encoding_ = Encoding::Bytes;
    std::string content_;  // without the mark; UTF-8 for a UTF-16 file
    std::string oddByte_;  // a UTF-16 file's last byte when it has an odd length
    std::vector<Line> lines_;
};

}  // namespace marvok
