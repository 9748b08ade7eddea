#pragma once
// The rules of the "Path Options" window (formDirectories): what it shows when it opens, the
// option rule of its two frames, and what "&Save" stores.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Session.h"

namespace marvok::pathoptions {

// The state of the window's controls.
struct DirectoriesControls {
    struct OptionFrame {
        int selected = 0;          // the option button that is on: 0 "No", 1 "Yes"
        std::string text;          // the text box on the "Yes" line
        bool textEnabled = false;  // the text box and its label
    };
    std::array<std::string, 4> userDir;
    OptionFrame keepOnTop;    // frmKeepOnTop: opKeepOnTop, txtKeepOnTop, lblKeepOnTop
    OptionFrame folderDepth;  // FrameRecursion: opFolderDepth, txtFolderDepth, lblFolderDepth
};

// The background of an enabled text box, RGB(248, 248, 248); a disabled one takes its frame's.
inline constexpr unsigned kActiveTextBackground = 0xF8F8F8;
inline constexpr short kDefaultKeepOnTop = 24;
inline constexpr short kMinimumKeepOnTop = 7;

enum class Frame { KeepOnTop, FolderDepth };

// Index 1 turns "Yes" on and enables the box; index 0 turns "No" on and disables it (the depth
// box then shows "-1"); any other index changes nothing.
void ApplyOptionRule(DirectoriesControls& controls, Frame frame, int index);

// The controls as the window opens, from the session's preferences.
void FormLoad(const Session& session, DirectoriesControls& controls);

// A whole number in the text (blanks around it allowed, a fraction rounded), or nothing.
std::optional<long> ParseWholeNumber(std::string_view text);
// The count of a text box: not a number, or below 7, gives 24.
short KeepOnTopFromText(std::string_view text);
// The depth of a text box: not a number gives -1.
short FolderDepthFromText(std::string_view text);

// Stores the controls' values in the session and the settings store, in the window's order, and
// sets the sort check mark. A failed store write is reported once, with its reason; the session
// keeps the new values either way. The caller then refreshes the main window.
void SaveSettings(Session& session, const DirectoriesControls& controls);

// Why a user folder can give no pods, or nothing when it can: it is not a full path, is not
// there, or has no form without blanks (the only way pod.ini can name a pod outside the game
// folder) that fits a pod list.
std::string UserFolderProblem(const Session& session, std::string_view folder);
// One line per filled-in folder of the window that can give no pods: "<folder>: <why>".
std::vector<std::string> UserFolderProblems(const Session& session,
                                            const DirectoriesControls& controls);

}  // namespace marvok::pathoptions
