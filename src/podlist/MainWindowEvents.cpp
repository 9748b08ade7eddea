#include "podlist/MainWindowEvents.h"

#include "podlist/FileCommands.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "podlist/mResizeWindow.h"

namespace marvok {

void MainWindowEvents::List1_Click(std::size_t position) {
    podlist::mCommonFunctions::MovePod(session_, position, session_.List1, session_.List2, "");
}

void MainWindowEvents::List2_Click(std::size_t position) {
    podlist::mCommonFunctions::MovePod(session_, position, session_.List2, session_.List1,
                                       "checkLimit");
}

void MainWindowEvents::List3_Click(std::size_t position) {
    ListBox& list = session_.List3;
    if (position >= list.Count()) {
        return;
    }
    list.SetChecked(position, !list.Checked(position));
    if (static_cast<long>(list.CheckedCount()) > static_cast<long>(session_.PodLimit)) {
        podlist::mCommonFunctions::ShowPodLimitMessage(session_);
        list.SetChecked(position, false);
    }
    podlist::mCommonFunctions::UpdatePodCounts(session_);
}

void MainWindowEvents::menuFile_Click(int index) {
    FileCommands::menuFile_Click(session_, desktop_, index);
}

void MainWindowEvents::commFile_Click(int index) {
    FileCommands::commFile_Click(session_, desktop_, index);
}

bool MainWindowEvents::toolbar_Click(int index) {
    switch (index) {
        case 0:
            mPodini::ApplyStockPreset(session_, "all");
            break;
        case 1:
        case 2:
        case 3:
            menuFile_Click(index);
            break;
        case 4:
            menuRefresh_Click();
            break;
        case 5:
            menuClipboard_Click(1);
            break;
        case 6:
            menuPrefs_Click(3);
            break;
        case 7:
            menuPrefs_Click(1);
            break;
        case 8:
            menuFile_Click(FileCommands::kNotepad);
            break;
        case 9:
            menuPrefs_Click(2);
            break;
        case 10:
            menuAbout_Click();
            break;
        default:
            return false;
    }
    return index <= 5;
}

void MainWindowEvents::menuRefresh_Click() {
    mPodini::RefreshPodLists(session_);
    mAvailablePods::RefreshAvailablePods(session_);
}

void MainWindowEvents::menuRestore_Click(int index) {
    if (index == 1) {
        mPodini::ApplyStockPreset(session_, "all");
    } else if (index == 2) {
        mPodini::ApplyStockPreset(session_, "minimal");
    }
}

void MainWindowEvents::menuClipboard_Click(int index) {
    FileCommands::menuClipboard_Click(session_, desktop_, index);
}

void MainWindowEvents::menuShortcuts_Click(int index) {
    if ((index == 1 || index == 2) && hooks_.changeProgramShortcut) {
        hooks_.changeProgramShortcut(index);
    } else if (index == 5) {
        Call(hooks_.registerShellExtensions);
    }
    // 3 "Send to" only shows, by its check mark, whether the shortcut exists.
}

void MainWindowEvents::menuPrefs_Click(int index) {
    switch (index) {
        case 1:
            Call(hooks_.showRegistry);
            break;
        case 2:
            Call(hooks_.showFonts);
            break;
        case 3:
            Call(hooks_.showPaths);
            break;
        default:
            break;
    }
}

void MainWindowEvents::menuToolbar_Click() {
    mResizeWindow::ApplyToolbarDisplay(session_, session_.ToolbarDisplay != "yes" ? "yes" : "no",
                                       "");
}

void MainWindowEvents::menuViewmode_Click() {
    mResizeWindow::ApplyViewMode(session_, session_.ViewMode != 2 ? 2 : 1, "");
}

void MainWindowEvents::menuSort_click() {
    FileCommands::menuSort_click(session_);
}

void MainWindowEvents::menuAbout_Click() {
    Call(hooks_.showAbout);
}

}  // namespace marvok
