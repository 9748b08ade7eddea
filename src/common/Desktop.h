#pragma once
// The port through which the core asks the desktop for what lies outside the program: the
// clipboard, starting the game, opening a document or address with its usual program, and the
// main window's minimise and close. Qt implements it; tests use a recording fake.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marvok {

// A program to start without waiting for it.
struct LaunchCommand {
    std::string program;  // native path
    std::vector<std::string> arguments;
    std::string workingFolder;                                     // native path
    std::vector<std::pair<std::string, std::string>> environment;  // added to the program's own
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Replaces the clipboard's content by the text; false when the clipboard refused it.
    virtual bool SetClipboardText(std::string_view utf8) = 0;
    // Starts the program detached; the empty text on success, else the system's reason.
    virtual std::string StartDetached(const LaunchCommand& command) = 0;
    // Opens a native file path or a web address ("https://...") with the program the desktop
    // uses for it; the empty text on success, else the reason.
    virtual std::string OpenWithDefaultProgram(std::string_view target) = 0;
    virtual void MinimizeMainWindow() = 0;
    virtual void RestoreMainWindow() = 0;
    // Closes the main window, which runs the shutdown.
    virtual void CloseMainWindow() = 0;
};

}  // namespace marvok
