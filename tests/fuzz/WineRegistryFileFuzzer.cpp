// A Wine registry file: parse, write, parse gives the same hive, and writing that again gives the
// same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/WineRegistryFile.h"

namespace marvok::fuzz {
namespace {

// Wine writes a key line only for a key with values, without sub keys, or with a class or link;
// the stamp and "#" lines of any other key are not kept (wineserver does the same).
bool KeyLineWritten(const winereg::Key& key) {
    return !key.values.empty() || key.subkeys.empty() ||
           std::any_of(key.meta.begin(), key.meta.end(), [](const std::string& line) {
               return line.rfind("#class=", 0) == 0 || line == "#link";
           });
}

bool Same(const winereg::Key& a, const winereg::Key& b) {
    const auto sameValue = [](const winereg::Value& x, const winereg::Value& y) {
        return x.name == y.name && x.type == y.type && x.data == y.data;
    };
    const auto sameKey = [](const auto& x, const auto& y) { return Same(*x, *y); };
    return a.name == b.name && (!KeyLineWritten(a) || (a.stamp == b.stamp && a.meta == b.meta)) &&
           std::equal(a.values.begin(), a.values.end(), b.values.begin(), b.values.end(),
                      sameValue) &&
           std::equal(a.subkeys.begin(), a.subkeys.end(), b.subkeys.begin(), b.subkeys.end(),
                      sameKey);
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
    if (first.hive->header != second.hive->header || !Same(first.hive->root, second.hive->root)) {
        Fail("the hive does not read back as it was written",
             "read:    " + Shown(file) + "\nwritten: " + Shown(written));
    }
    const std::string again = winereg::Serialize(*second.hive);
    if (again != written) {
        Fail("writing the hive read back gives other bytes",
             "first:  " + Shown(written) + "\nsecond: " + Shown(again));
    }
    return 0;
}
