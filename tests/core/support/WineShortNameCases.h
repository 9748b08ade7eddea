#pragma once
// Folder names and the short names Debian's Wine 8 gives them (its GetShortPathNameW): held
// against our own computation on Linux, and against Wine itself under Wine.

#include <ostream>
#include <vector>

namespace marvok::test {

struct WineShortNameCase {
    const char* caseName;
    const char* longName;  // UTF-8
    const char* shortName;
};

inline void PrintTo(const WineShortNameCase& c, std::ostream* os) { *os << c.caseName; }

inline const std::vector<WineShortNameCase>& WineShortNameCases() {
    static const std::vector<WineShortNameCase> cases = {
        {"ProgramFiles", "Program Files", "PROG~FBU"},
        {"Polish", "Za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 G\xc4\x98\xc5\x9aL\xc4\x84", "ZA__~U3G"},
        {"PolishCapitals", "\xc5\x81\xc3\x93" "D\xc5\xb9", "__D_~1WW"},
        {"Cyrillic", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 \xd0\x9c\xd0\x98\xd0\xa0", "____~WX0"},
        {"GreekCapitals", "\xce\x91\xce\x98\xce\x97\xce\x9d\xce\x91 \xce\xa3\xce\xa9", "____~VMU"},
        {"YWithDiaeresis", "\xc5\xb8" "ber Pods", "_BER~4SR"},
        {"YWithDiaeresisAlone", "\xc5\xb8", "_~~~~2TQ"},
        {"DottedCapitalI", "\xc4\xb0stanbul", "_STA~0DL"},
        {"EndsInADot", "pods.", "PODS~RIB"},
        {"ExtensionThenADot", "a.b.", "A~~~~PBL.B_"},
        {"ThreeLetterExtension", "pods.ini", "pods.ini"},
    };
    return cases;
}

}  // namespace marvok::test
