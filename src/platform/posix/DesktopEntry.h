#pragma once
// The text of freedesktop launchers (.desktop files) and the two command-line conventions a
// shortcut meets on Linux: the Exec quoting of desktop entries, and the Windows rules by which a
// shortcut's arguments text is split into arguments.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marvok::platform::desktop {

// One Exec argument: wrapped in double quotes when it holds a blank or a reserved character,
// with \ before " ` $ and \ inside; % doubled. Before the value escapes below.
std::string QuoteExecArgument(std::string_view argument);
std::string ComposeExec(const std::vector<std::string>& arguments);
// The arguments of an Exec value (value escapes already undone). Field codes (%f, %U, ...) are
// dropped and %% is a %. Nothing when a quote is left open.
std::optional<std::vector<std::string>> ParseExec(std::string_view exec);

// The escapes of a string value: \\ \n \t \r, and \s for a leading blank.
std::string EscapeValue(std::string_view value);
std::string UnescapeValue(std::string_view value);

// The keys of the [Desktop Entry] group with their values unescaped (no localised keys).
std::map<std::string, std::string> ReadDesktopEntry(std::string_view fileText);

struct Launcher {
    std::string name;
    std::string comment;
    std::vector<std::string> exec;  // the program, then its arguments
    std::string path;               // working folder
    std::string icon;
};
std::string ComposeLauncher(const Launcher& launcher);

// A command-line text split as a Windows program's startup code splits it: blanks separate,
// double quotes group, backslashes are literal unless they precede a quote.
std::vector<std::string> SplitWindowsCommandLine(std::string_view text);
// The inverse: an argument quoted only when it needs it.
std::string QuoteWindowsArgument(std::string_view argument);
std::string JoinWindowsCommandLine(const std::vector<std::string>& arguments);

}  // namespace marvok::platform::desktop
