#pragma once
// Path and file routines shared by the whole program.

#include <string>
#include <string_view>

#include "common/Session.h"
#include "platform/FileSystem.h"

namespace marvok::shell::mCommonFunctions {

// True when a file or folder exists at the path; a path that is not absolute is looked up under
// the game folder (so the empty text names the game folder itself).
bool FileExists(const platform::FileSystem& fs, std::string_view gameFolder, std::string_view path);
// The same with the session's file system and game folder.
bool FileExists(const Session& session, std::string_view path);
// The path itself when absolute, else the path under the game folder.
std::string FullPath(const platform::FileSystem& fs, std::string_view gameFolder,
                     std::string_view path);
// True when something, a folder or a file, is found at the path itself.
bool FolderExists(const platform::FileSystem& fs, std::string_view path);
// "X:\..." (characters 2 and 3 are ":\"), or a path the platform itself takes as absolute.
bool IsAbsolutePath(const platform::FileSystem& fs, std::string_view path);
// The drive-letter rule alone.
bool IsDriveAbsolutePath(std::string_view path);
short CountSpaces(std::string_view text);
std::string EnsureIniExtension(std::string_view path);
std::string& StripNulls(std::string& text);
std::string StripTrailingBackslash(std::string_view path);

}  // namespace marvok::shell::mCommonFunctions
