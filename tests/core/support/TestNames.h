#pragma once
// Readable names for parameterised cases: letters and digits kept, the rest joined by "_".

#include <cctype>
#include <string>

namespace marvok::test {

inline std::string CaseName(const std::string& text) {
    std::string name;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name.empty() ? "empty" : name;
}

}  // namespace marvok::test
