#include "shell/mShortcutsPlus.h"

#include "common/Text.h"
#include "platform/Process.h"
#include "shell/mCommonFunctions.h"

namespace marvok::mShortcutsPlus {
namespace {

// The shared folders, or the user's own where the machine has none.
std::string DesktopFolder(const ShellServices& shell) {
    return GetSpecialFolder(*shell.folders, "AllUsersDesktop");
}
std::string StartMenuFolder(const ShellServices& shell) {
    return GetSpecialFolder(*shell.folders, "AllusersStartMenu");
}
std::string SendToFolder(const ShellServices& shell) {
    return GetSpecialFolder(*shell.folders, "SendTo");
}

std::string GameFolderPath(const Session& session) {
    return shell::mCommonFunctions::StripTrailingBackslash(session.GameFolder);
}

}  // namespace

std::string ProgramTarget(const Session& session) {
    return GameFolderPath(session) + "\\" + platform::ExecutableName();
}

bool CheckProgramShortcuts(Session& session, std::string_view which, const ShellServices& shell) {
    const cShortcut shortcut(shell);
    bool answer = false;
    const auto check = [&](std::string_view item, const std::string& folder, int index) {
        if (which != "all" && which != item) {
            return;
        }
        // A folder the machine does not have holds no shortcut (an empty folder would mean
        // the user's desktop to LinkExists).
        const bool exists = !folder.empty() && shortcut.LinkExists(kAppTitle, folder);
        session.controls.SetChecked(ControlName("menuShortcuts", index), exists);
        if (which == item) {
            answer = exists;
        }
    };
    check("desktop", DesktopFolder(shell), 1);
    check("startmenu", StartMenuFolder(shell), 2);
    check("sendto", SendToFolder(shell), 3);
    return answer;
}

bool CheckProgramShortcuts(Session& session, std::string_view which) {
    return CheckProgramShortcuts(session, which, ShellServices::Platform());
}

void ChangeProgramShortcut(Session& session, short action, const ShellServices& shell) {
    try {
        switch (action) {
            case 0:
            case 2: {
                cShortcut shortcut(shell);
                const std::string target = ProgramTarget(session);
                shortcut.CreateShortcutAt(
                    action == 0 ? DesktopFolder(shell) : StartMenuFolder(shell), kAppTitle, target,
                    "", kProgramShortcutDescription, GameFolderPath(session), target + ", 0", 1);
                break;
            }
            case 1:
            case 3: {
                const bool desktop = action == 1;
                if (CheckProgramShortcuts(session, desktop ? "desktop" : "startmenu", shell)) {
                    const cShortcut shortcut(shell);
                    const std::string folder =
                        desktop ? DesktopFolder(shell) : StartMenuFolder(shell);
                    if (!shell.links->Remove(shortcut.LinkPath(folder, kAppTitle)).empty()) {
                        return;
                    }
                }
                break;
            }
            case 4:
                break;
            default:
                return;
        }
        CheckProgramShortcuts(session, "all", shell);
    } catch (const std::exception&) {
        // The check marks keep their last state.
    }
}

void ChangeProgramShortcut(Session& session, short action) {
    ChangeProgramShortcut(session, action, ShellServices::Platform());
}

void ToggleProgramShortcut(Session& session, int index, const ShellServices& shell) {
    if (index == 1) {
        ChangeProgramShortcut(session, CheckProgramShortcuts(session, "desktop", shell) ? 1 : 0,
                              shell);
    } else if (index == 2) {
        ChangeProgramShortcut(session, CheckProgramShortcuts(session, "startmenu", shell) ? 3 : 2,
                              shell);
    }
}

void ToggleProgramShortcut(Session& session, int index) {
    ToggleProgramShortcut(session, index, ShellServices::Platform());
}

std::string CreateListShortcut(Session& session, const std::string& file,
                               const ShellServices& shell) {
    try {
        cShortcut shortcut(shell);
        // Both separators end a folder name: "/" is one on Windows too.
        const auto separator = file.find_last_of("\\/");
        const std::string name =
            text::LowerCase(separator == std::string::npos ? file : file.substr(separator + 1));
        const std::string target = ProgramTarget(session);
        const std::string desktop = GetSpecialFolder(*shell.folders, "desktop");
        if (desktop.empty()) {
            return "This user has no desktop folder.";
        }
        shortcut.CreateShortcutAt(desktop, name, target, "/i " + shell.links->QuoteArgument(file),
                                  kListShortcutDescription, GameFolderPath(session), target + ", 0",
                                  1);
        return {};
    } catch (const std::exception& error) {
        return error.what();
    }
}

std::string CreateListShortcut(Session& session, const std::string& file) {
    return CreateListShortcut(session, file, ShellServices::Platform());
}

}  // namespace marvok::mShortcutsPlus
