#pragma once

#include <string>
#include <string_view>

namespace marvok::platform::win32 {

// The text after the program name in a Windows command line, as VB's Command$ gives it: the
// program name (to its closing quote, or up to the first blank) and the blanks after it are
// dropped.
std::wstring_view TextAfterProgramName(std::wstring_view commandLine);

// The form of a folder's path that names it alone: full, long names, no trailing "\".
std::wstring FolderKey(std::wstring_view folder);

// A stable hash of an instance key, the same for any letter case of the same path.
unsigned long long InstanceKeyHash(std::wstring_view key);

}  // namespace marvok::platform::win32
