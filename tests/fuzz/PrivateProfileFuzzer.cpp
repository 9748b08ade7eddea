// An ini file and a few values set in it. A value that was set reads back as it was set, its key
// listed; every other value of the sections touched reads as before.
//
// Input: a count of settings (low three bits of the first byte), each setting as three texts
// (section, key, value) of one length byte (low six bits) and that many bytes; the rest is the
// file.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "common/PrivateProfile.h"

namespace marvok::fuzz {
namespace {

struct Setting {
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

std::string TakeText(std::string_view& in) {
    const std::size_t length =
        in.empty() ? 0
                   : std::min<std::size_t>(static_cast<unsigned char>(in[0]) & 63u, in.size() - 1);
    const std::string text(in.substr(in.empty() ? 0 : 1, length));
    in.remove_prefix(std::min(1 + length, in.size()));
    return text;
}

// Names as the program writes them: printable ASCII without the characters that end a name or
// mark a section, and no blank at either end (both ends are trimmed when read).
bool IsPlainName(std::string_view name, std::string_view alsoRefused) {
    return std::all_of(name.begin(), name.end(),
                       [&](char c) {
                           return c >= 0x20 && c <= 0x7E &&
                                  alsoRefused.find(c) == std::string_view::npos;
                       }) &&
           (name.empty() || (name.front() != ' ' && name.back() != ' '));
}

// Values read back whole unless trimmed at an end or wrapped in a pair of quotes; no line
// breaks or NULs (text from a control holds neither).
bool ReadsBackWhole(std::string_view v) {
    const auto edge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    return v.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
           (v.empty() ||
            (!edge(v.front()) && !edge(v.back()) &&
             !(v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())));
}

std::pair<std::string, std::string> NameKey(std::string_view section, std::string_view key) {
    return {text::LowerCase(section), text::LowerCase(key)};
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marvok;
    using namespace marvok::fuzz;
    std::string_view in(reinterpret_cast<const char*>(data), size);
    const int count = in.empty() ? 0 : in[0] & 7;
    in.remove_prefix(in.empty() ? 0 : 1);
    std::vector<Setting> settings;
    for (int i = 0; i < count; ++i) {
        settings.push_back({TakeText(in), TakeText(in), TakeText(in)});  // in this order
    }
    const std::string file(in);
    PrivateProfile profile = PrivateProfile::Parse(file);

    std::vector<Setting> before;  // the values of the sections the settings touch
    for (const auto& s : settings) {
        for (const auto& key :
             IsPlainName(s.section, "") ? profile.Keys(s.section) : std::vector<std::string>{}) {
            before.push_back({s.section, key, profile.Get(s.section, key)});
        }
    }
    std::map<std::pair<std::string, std::string>, std::string> set;
    for (const auto& s : settings) {
        if (!IsPlainName(s.section, "") || !IsPlainName(s.key, "=[];") ||
            !ReadsBackWhole(*s.value)) {
            // What such a setting reads back is not fixed: only that it does no harm.
            PrivateProfile(profile).Set(s.section, s.key, *s.value);
        } else if (profile.Set(s.section, s.key, *s.value)) {
            set[NameKey(s.section, s.key)] = *s.value;  // plain ASCII names: lower case finds them
        }
    }

    const PrivateProfile reread = PrivateProfile::Parse(profile.Serialize());
    const auto fail = [&](const char* what, const std::string& section, const std::string& key) {
        Fail(what, "section " + Shown(section) + ", key " + Shown(key) + "\nfile before: " +
                       Shown(file) + "\nfile after:  " + Shown(reread.Serialize()));
    };
    for (const auto& [name, value] : set) {
        const std::string& section = name.first;
        const std::string& key = name.second;
        if (reread.Get(section, key) != value) {
            fail("a value that was set does not read back", section, key);
        }
        const auto keys = reread.Keys(section);
        if (std::none_of(keys.begin(), keys.end(),
                         [&](const auto& k) { return text::EqualsIgnoringCase(k, key); })) {
            fail("a key that was set is not listed", section, key);
        }
    }
    for (const auto& seen : before) {
        if (set.count(NameKey(seen.section, seen.key)) == 0 &&
            reread.Get(seen.section, seen.key) != seen.value) {
            fail("setting a value changed another", seen.section, seen.key);
        }
    }
    return 0;
}
