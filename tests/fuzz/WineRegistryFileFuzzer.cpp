// A Wine registry file: parse, write, parse gives the same hive, and writing that again gives the
// same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "registry/WineRegistryFile.h"

namespace marvok::fuzz {
namespace {

std::string Name(std::u16string_view name) {
    std::string out;
    for (char16_t c : name) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

// Wine writes a key line only for a key with values, without sub keys, or with a class or link;
// the stamp and "#" lines of any other key are not kept (wineserver does the same).
bool KeyLineWritten(const winereg::Key& key) {
    if (!key.values.empty() || key.subkeys.empty()) {
        return true;
    }
    return std::any_of(key.meta.begin(), key.meta.end(), [](const std::string& line) {
        return line.rfind("#class=", 0) == 0 || line == "#link";
    });
}

// The first difference between two keys, or the empty text.
std::string Difference(const winereg::Key& a, const winereg::Key& b, const std::string& path) {
    if (a.name != b.name) {
        return path + ": key name " + Name(a.name) + " became " + Name(b.name);
    }
    if (KeyLineWritten(a) && a.stamp != b.stamp) {
        return path + ": stamp " + Shown(a.stamp) + " became " + Shown(b.stamp);
    }
    if (KeyLineWritten(a) && a.meta != b.meta) {
        return path + ": lines " + Shown(a.meta) + " became " + Shown(b.meta);
    }
    if (a.values.size() != b.values.size()) {
        return path + ": " + std::to_string(a.values.size()) + " values became " +
               std::to_string(b.values.size());
    }
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        const auto& x = a.values[i];
        const auto& y = b.values[i];
        if (x.name != y.name || x.type != y.type || x.data != y.data) {
            return path + ": value " + Name(x.name) + " type " + std::to_string(x.type) + " " +
                   Shown(x.data) + " became " + Name(y.name) + " type " + std::to_string(y.type) +
                   " " + Shown(y.data);
        }
    }
    if (a.subkeys.size() != b.subkeys.size()) {
        return path + ": " + std::to_string(a.subkeys.size()) + " sub keys became " +
               std::to_string(b.subkeys.size());
    }
    for (std::size_t i = 0; i < a.subkeys.size(); ++i) {
        auto d = Difference(*a.subkeys[i], *b.subkeys[i], path + "\\" + Name(a.subkeys[i]->name));
        if (!d.empty()) {
            return d;
        }
    }
    return {};
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marvok;
    using namespace marvok::fuzz;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const winereg::ParseResult first = winereg::Parse(file);
    if (!first.hive) {
        return 0;  // damaged: refused, nothing to write
    }
    const std::string written = winereg::Serialize(*first.hive);
    const winereg::ParseResult second = winereg::Parse(written);
    if (!second.hive) {
        Fail("what Marvok wrote does not parse", second.error + "\n" + Shown(written));
    }
    std::string difference;
    if (first.hive->header != second.hive->header) {
        difference =
            "header " + Shown(first.hive->header) + " became " + Shown(second.hive->header);
    } else {
        difference = Difference(first.hive->root, second.hive->root, "");
    }
    if (!difference.empty()) {
        Fail("the hive does not read back as it was written",
             difference + "\nread:    " + Shown(file) + "\nwritten: " + Shown(written));
    }
    const std::string again = winereg::Serialize(*second.hive);
    if (again != written) {
        Fail("writing the hive read back gives other bytes",
             "first:  " + Shown(written) + "\nsecond: " + Shown(again));
    }
    return 0;
}
