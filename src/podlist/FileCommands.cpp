#include "podlist/FileCommands.h"

#include "platform/GameLaunch.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "podlist/mResizeWindow.h"
#include "shell/mCommonFunctions.h"

namespace marvok::FileCommands {
namespace {

// The user's list must never vanish silently: every failed write is shown with its reason.
void ReportFailure(Session& session, std::string_view what, const FileResult& result) {
    session.ui.ShowMessage(
        kAppTitle,
        std::string(what) + " " + session.fs.NativePath(result.path) + ":\n" + result.error,
        MessageIcon::Critical, MessageButtons::Ok);
}

// Saves pod.ini; false (after telling the user) when it could not be written.
bool SavePodIni(Session& session) {
    const FileResult saved = mPodini::SavePodList(session, "");
    if (saved.Failed()) {
        ReportFailure(session, "Could not write", saved);
        return false;
    }
    return true;
}

void ShowStartFailure(Session& session, Desktop& desktop, std::string_view what,
                      std::string_view target, const std::string& reason) {
    // The message must not hide behind a minimised window.
    desktop.RestoreMainWindow();
    session.ui.ShowMessage(kAppTitle,
                           std::string(what) + " " + std::string(target) + ":\n" + reason,
                           MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace

void RestoreLastSaved(Session& session) {
    const FileResult read = mPodini::RestoreLastSaved(session);
    if (read.Failed()) {
        session.ui.ShowMessage(kAppTitle, "Could not restore the last saved pod.ini:\n" + read.error,
                               MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

void menuFile_Click(Session& session, Desktop& desktop, int index) {
    switch (index) {
        case kNotepad: {
            if (!shell::mCommonFunctions::FileExists(session, session.PodIniPath) ||
                !SavePodIni(session)) {
                return;
            }
            desktop.MinimizeMainWindow();
            if (auto error = OpenWithShell(session, desktop, session.PodIniPath); !error.empty()) {
                ShowStartFailure(session, desktop, "Could not open",
                                 session.fs.NativePath(session.PodIniPath), error);
            }
            desktop.CloseMainWindow();
            return;
        }
        case kOpen: {
            const FileResult read = mPodini::LoadPodList(session, "import");
            if (read.Done()) {
                mAvailablePods::RefreshAvailablePods(session);
            } else if (read.Failed()) {
                ReportFailure(session, "Could not read the pod list", read);
            }
            return;
        }
        case kSave:
            SavePodIni(session);
            return;
        case kSaveAs: {
            const FileResult saved = mPodini::SavePodList(session, "export");
            if (saved.Failed()) {
                ReportFailure(session, "Could not write", saved);
            }
            return;
        }
        case kSaveAndExit:
            if (SavePodIni(session)) {
                desktop.CloseMainWindow();
            }
            return;
        case kSaveAndLaunch: {
            if (!SavePodIni(session)) {
                return;
            }
            desktop.MinimizeMainWindow();
            if (auto error = LaunchGame(session, desktop); !error.empty()) {
                ShowStartFailure(session, desktop, "Could not start the game",
                                 session.fs.NativePath(session.GameExePath), error);
            }
            desktop.CloseMainWindow();
            return;
        }
        case kCancel:
            desktop.CloseMainWindow();
            return;
        default:
            return;
    }
}

void commFile_Click(Session& session, Desktop& desktop, int index) {
    static constexpr int kMenuIndex[] = {kSaveAndLaunch, kSaveAndExit, kCancel};
    if (index >= 0 && index < 3) {
        menuFile_Click(session, desktop, kMenuIndex[index]);
    }
}

std::string PodListClipboardText(const ListBox& list, bool sideBySide, bool checked) {
    std::size_t count = list.Count();
    if (!sideBySide) {
        count = checked ? list.CheckedCount() : list.Count() - list.CheckedCount();
    }
    std::string text = std::to_string(count);
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (sideBySide || list.Checked(i) == checked) {
            text += "\r\n";
            text += list.Item(i);
        }
    }
    text += "\r\n";
    return text;
}

bool CopyPodListToClipboard(Session& session, Desktop& desktop, const ListBox& list, bool checked) {
    return desktop.SetClipboardText(PodListClipboardText(list, session.SideBySide(), checked));
}

void menuClipboard_Click(Session& session, Desktop& desktop, int index) {
    if (index != 1 && index != 2) {
        return;
    }
    const bool mounted = index == 1;
    const ListBox& list =
        session.SideBySide() ? (mounted ? session.List1 : session.List2) : session.List3;
    CopyPodListToClipboard(session, desktop, list, mounted);
}

std::string OpenWithShell(Session& session, Desktop& desktop, std::string_view path) {
    return desktop.OpenWithDefaultProgram(session.fs.NativePath(path));
}

std::string LaunchGame(Session& session, Desktop& desktop) {
    const platform::GameLaunch launch = platform::GameLaunchCommand(
        session.fs.NativePath(session.GameExePath), session.fs.NativePath(session.GameFolder));
    if (!launch.command) {
        return launch.error;
    }
    return desktop.StartDetached(*launch.command);
}

void menuSort_click(Session& session) {
    session.SortMode = session.SortMode == "no" ? "yes" : "no";
    podlist::mCommonFunctions::WritePreference(session, "Prefs", "SortMode", session.SortMode);
    mResizeWindow::ApplySortCheck(session);
}

}  // namespace marvok::FileCommands
