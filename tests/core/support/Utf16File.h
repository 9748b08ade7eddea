#pragma once
// A file as Notepad saves it as "Unicode": the UTF-16 LE mark, then the text in UTF-16 LE.

#include <string>
#include <string_view>

#include "common/Text.h"

namespace marvok::test {

inline std::string Utf16File(std::string_view utf8) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text::ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace marvok::test
