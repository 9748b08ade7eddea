#pragma once
// Shell folders by their short names ("desktop", "allusersstartmenu", ...) and the expansion of
// environment references in shortcut texts.

#include <string>
#include <string_view>

#include "platform/ShellFolders.h"

namespace marvok::mSpecialFolders {

// The full path of the named folder, without a trailing separator; the empty text for a name
// outside the table or a folder this machine does not have. The name is trimmed and may be in
// any letter case. The three "allusers" folders that have a per-user twin fall back to it.
std::string GetSpecialFolder(const platform::ShellFolders& shell, std::string_view name);
std::string GetSpecialFolder(std::string_view name);

// The trimmed text with every %NAME% reference to a defined variable replaced; the empty text
// when the result would be longer than 499 characters.
std::string ExpandEnvironment(const platform::ShellFolders& shell, std::string_view text);
std::string ExpandEnvironment(std::string_view text);

}  // namespace marvok::mSpecialFolders
