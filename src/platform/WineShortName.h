#pragma once
// The short (8.3) names Wine makes up for names that are not legal 8.3 names. Wine computes them
// where Windows asks the file system, so Marvok on Linux must compute the same ones.

#include <string>
#include <string_view>

namespace marvok::platform {

// Whether Wine keeps a file name as its own short name (a legal 8.3 name).
bool IsLegalShortName(std::string_view name);
// The short name Wine makes for a name that is not a legal 8.3 name ("Program Files" -> PROG~FBU).
std::string HashedShortName(std::string_view name);
// The name Wine reports in a short path: the name itself when legal, else its hashed form.
std::string WineShortName(std::string_view name);
// A UTF-16 unit lower-cased as Wine's case table does it (its l_intl.nls), for the whole BMP.
char16_t WineLowerCase(char16_t c);

}  // namespace marvok::platform
