#pragma once
// Text helpers shared by the core. Internal text is UTF-8; the game's files are Windows-1252.

#include <optional>
#include <string>
#include <string_view>

namespace marvok::text {

// Lower case as the game's code page knows it: ASCII and the Windows-1252 letters.
std::string LowerCase(std::string_view utf8);
std::string UpperCase(std::string_view utf8);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Windows-1252 bytes to UTF-8. Every byte maps to one character.
std::string FromWindows1252(std::string_view bytes);
// UTF-8 to Windows-1252; nothing when a character has no Windows-1252 byte or the text is not
// valid UTF-8.
std::optional<std::string> ToWindows1252(std::string_view utf8);

std::string TrimLeft(std::string_view s, std::string_view blanks = " \t");
std::string TrimRight(std::string_view s, std::string_view blanks = " \t");
std::string Trim(std::string_view s, std::string_view blanks = " \t");

bool EndsWithIgnoringCase(std::string_view s, std::string_view suffix);

// A whole decimal number (optional sign, blanks around it allowed) within the 16-bit range.
std::optional<short> ParseInt16(std::string_view s);

// UTF-8 <-> UTF-16 code units (for the Windows calls and Wine's short names).
std::u16string ToUtf16(std::string_view utf8);
std::string FromUtf16(std::u16string_view utf16);
// One code point as UTF-16: a surrogate pair above U+FFFF.
void AppendUtf16(std::u16string& out, char32_t c);

}  // namespace marvok::text
