#pragma once
// Short (8.3) folder names for the entries of pods found in the user's folders.

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace marvok::mDirectoryBrowse {

// The short form of an existing path as the file system reports it; the empty text when the
// path does not exist or its short form is longer than 164 characters.
std::string GetShortPath(const platform::FileSystem& fs, std::string_view path);

}  // namespace marvok::mDirectoryBrowse
