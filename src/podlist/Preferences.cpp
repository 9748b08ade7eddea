#include "common/Text.h"
#include "platform/SettingsStore.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mResizeWindow.h"
#include "shell/mCommonFunctions.h"

namespace marvok::podlist::mCommonFunctions {
namespace {

// A stored number that is not a whole 16-bit number falls back to its default.
short ReadNumber(const Session& session, std::string_view key, short fallback) {
    const auto stored = session.settings.Read("Prefs", key);
    if (!stored) {
        return fallback;
    }
    return text::ParseInt16(*stored).value_or(fallback);
}

std::string ReadText(const Session& session, std::string_view section, std::string_view key,
                     std::string_view fallback) {
    return session.settings.Read(section, key).value_or(std::string(fallback));
}

}  // namespace

void LoadPreferences(Session& session) {
    for (int slot = 0; slot < 4; ++slot) {
        const std::string path =
            ReadText(session, "userDir", "path(" + std::to_string(slot) + ")", "");
        session.UserPaths[static_cast<std::size_t>(slot)] =
            !path.empty() && shell::mCommonFunctions::FileExists(session, path) ? path
                                                                                : std::string();
    }
    mResizeWindow::ApplyToolbarDisplay(session, ReadText(session, "Prefs", "ToolbarDisplay", "yes"),
                                       "load");
    mResizeWindow::ApplyViewMode(session, ReadNumber(session, "ViewMode", 2), "load");
    session.KeepOnTop = ReadNumber(session, "keepOnTop", 24);
    session.SortMode = ReadText(session, "Prefs", "SortMode", "no");
    mResizeWindow::ApplySortCheck(session);
    session.FolderDepth = ReadNumber(session, "FolderDepth", -1);
    if (session.checkProgramShortcuts) {
        session.checkProgramShortcuts(session);
    }
}

bool WritePreference(Session& session, std::string_view section, std::string_view key,
                     std::string_view value) {
    const std::string error = session.settings.Write(section, key, value);
    if (error.empty()) {
        return true;
    }
    session.ui.ShowMessage(kAppTitle,
                           "Could not store the setting " + std::string(key) + ":\n" + error,
                           MessageIcon::Exclamation, MessageButtons::Ok);
    return false;
}

}  // namespace marvok::podlist::mCommonFunctions
