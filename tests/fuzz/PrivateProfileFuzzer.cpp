// An ini file and a few values set in it. A value that was set reads back as it was set; every
// other value of the file reads as before.
//
// Input: a count of settings (low three bits of the first byte), each setting as three texts
// (section, key, value) of one length byte (low six bits) and that many bytes; the rest is the
// file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "FuzzSupport.h"
#include "shell/PrivateProfile.h"

namespace marvok::fuzz {
namespace {

struct Setting {
    std::string section;
    std::string key;
    std::string value;
};

std::string_view TakeText(std::string_view& in) {
    if (in.empty()) {
        return {};
    }
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(in[0]) & 63u, in.size() - 1);
    const std::string_view text = in.substr(1, length);
    in.remove_prefix(1 + length);
    return text;
}

// Names as the program writes them: printable ASCII without the characters that end a name or
// mark a section, and no blank at either end (both ends are trimmed when read).
bool IsPlainName(std::string_view name, std::string_view alsoRefused) {
    for (char c : name) {
        if (c < 0x20 || c > 0x7E || alsoRefused.find(c) != std::string_view::npos) {
            return false;
        }
    }
    return name.empty() || (name.front() != ' ' && name.back() != ' ');
}

// Values read back whole unless trimmed at an end or wrapped in a pair of quotes; no line
// breaks or NULs (text from a control holds neither).
bool ReadsBackWhole(std::string_view value) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return false;
    }
    if (value.empty()) {
        return true;
    }
    const auto edge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    if (edge(value.front()) || edge(value.back())) {
        return false;
    }
    return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
             value.back() == value.front());
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
    std::vector<Setting> settings;
    if (!in.empty()) {
        const int count = in[0] & 7;
        in.remove_prefix(1);
        for (int i = 0; i < count; ++i) {
            Setting s;
            s.section = TakeText(in);
            s.key = TakeText(in);
            s.value = TakeText(in);
            settings.push_back(std::move(s));
        }
    }
    const std::string file(in);
    PrivateProfile profile = PrivateProfile::Parse(file);

    // What the file says before, in the sections the settings touch.
    struct Seen {
        std::string section;
        std::string key;
        std::optional<std::string> value;
    };
    std::vector<Seen> before;
    for (const auto& s : settings) {
        if (!IsPlainName(s.section, "")) {
            continue;
        }
        for (const auto& key : profile.Keys(s.section)) {
            before.push_back({s.section, key, profile.Get(s.section, key)});
        }
    }

    std::map<std::pair<std::string, std::string>, std::string> set;
    std::vector<const Setting*> checked;
    for (const auto& s : settings) {
        if (!IsPlainName(s.section, "") || !IsPlainName(s.key, "=[];") ||
            !ReadsBackWhole(s.value)) {
            // What such a setting reads back is not fixed: only that it does no harm.
            PrivateProfile copy = profile;
            copy.Set(s.section, s.key, s.value);
            continue;
        }
        if (profile.Set(s.section, s.key, s.value)) {
            set[NameKey(s.section, s.key)] = s.value;
            checked.push_back(&s);
        }
    }

    const PrivateProfile reread = PrivateProfile::Parse(profile.Serialize());
    const auto details = [&](std::string_view section, std::string_view key) {
        return "section " + Shown(section) + ", key " + Shown(key) +
               "\nfile before: " + Shown(file) + "\nfile after:  " + Shown(reread.Serialize());
    };
    for (const Setting* s : checked) {
        const std::string& expected = set[NameKey(s->section, s->key)];
        const auto got = reread.Get(s->section, s->key);
        if (got != expected) {
            Fail("a value that was set does not read back",
                 details(s->section, s->key) + "\nset " + Shown(expected) + ", read " +
                     (got ? Shown(*got) : std::string("nothing")));
        }
        const auto keys = reread.Keys(s->section);
        if (std::none_of(keys.begin(), keys.end(), [&](const std::string& k) {
                return text::EqualsIgnoringCase(k, s->key);
            })) {
            Fail("a key that was set is not listed", details(s->section, s->key));
        }
    }
    for (const auto& seen : before) {
        if (set.count(NameKey(seen.section, seen.key)) != 0) {
            continue;
        }
        const auto got = reread.Get(seen.section, seen.key);
        if (got != seen.value) {
            Fail("setting a value changed another",
                 details(seen.section, seen.key) + "\nwas " +
                     (seen.value ? Shown(*seen.value) : std::string("nothing")) + ", now " +
                     (got ? Shown(*got) : std::string("nothing")));
        }
    }
    return 0;
}
