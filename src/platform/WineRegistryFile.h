#pragma once
// Wine's registry file format ("WINE REGISTRY Version 2"): one hive (system.reg, user.reg) as
// a tree of keys, read and written the way wineserver does, so a file it wrote comes back byte
// for byte and a file we write loads in Wine.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marvok::winereg {

struct Value {
    std::u16string name;  // empty: the key's default value ("@")
    std::uint32_t type = 0;
    std::string data;  // raw bytes; the string types hold UTF-16LE with their NULs
};

struct Key {
    std::u16string name;
    std::string stamp;              // the Unix seconds after "]", as written; may be empty
    std::vector<std::string> meta;  // "#time=", "#class=", "#link" and unknown "#" lines
    std::vector<Value> values;      // kept sorted ignoring case, as Wine does
    std::vector<std::unique_ptr<Key>> subkeys;  // likewise

    Key* FindSubkey(std::u16string_view name) const;
    // The existing sub key of this name, or a new one in its sorted place.
    Key& AddSubkey(std::u16string_view name);
    bool RemoveSubkey(std::u16string_view name);
    const Value* FindValue(std::u16string_view name) const;
    void SetValue(std::u16string_view name, std::uint32_t type, std::string data);
    bool RemoveValue(std::u16string_view name);
    // Records a change at this moment (FILETIME ticks), as Wine stamps a changed key.
    void Touch(std::uint64_t fileTime);
};

// Deeper keys make a file damaged: Windows allows 512 levels, and the tree is walked recursively.
inline constexpr std::size_t kMaxKeyDepth = 512;

struct Hive {
    // The lines between the version line and the first key, each with any CR it ended in.
    std::vector<std::string> header;
    Key root;

    // "#arch=win64": a 32-bit program's HKLM\Software lives in Software\Wow6432Node.
    bool Win64() const;
};

struct ParseResult {
    std::optional<Hive> hive;
    std::string error;  // "line N: what", when hive is empty
};

ParseResult Parse(std::string_view text);
std::string Serialize(const Hive& hive);

// A new, empty hive with the header Wine writes; relativeTo is "\\Machine" or "\\User\\<sid>".
Hive NewHive(std::string_view relativeTo, bool win64);

// One UTF-16 unit in lower case as Wine's own case table has it (not Unicode's full mapping:
// titlecase letters and signs such as the Kelvin sign stay as they are).
char16_t FoldCase(char16_t c);
// Wine's order of names: UTF-16 units compared after folding to lower case, then by length.
// Names holding "_", "[", "\", "]", "^" or a backquote sort as in Wine ("_a" < "A^" < "aa").
int CompareIgnoringCase(std::u16string_view a, std::u16string_view b);

// Text as Wine writes it inside quotes or brackets: escapes for "\", the characters of
// alsoEscape, control characters (a NUL too, even the last one of a name) and everything above
// 0x7F.
std::string Escape(std::u16string_view text, std::string_view alsoEscape);

}  // namespace marvok::winereg
