#include "podlist/PathOptions.h"

#include <cmath>
#include <limits>

#include "common/Text.h"
#include "platform/SettingsStore.h"
#include "podlist/mResizeWindow.h"
#include "shell/mCommonFunctions.h"
#include "shell/mDirectoryBrowse.h"

namespace marvok::pathoptions {
namespace {

DirectoriesControls::OptionFrame& FrameOf(DirectoriesControls& controls, Frame frame) {
    return frame == Frame::KeepOnTop ? controls.keepOnTop : controls.folderDepth;
}

std::optional<short> ToShort(std::optional<long> value) {
    if (!value || *value < std::numeric_limits<short>::min() ||
        *value > std::numeric_limits<short>::max()) {
        return std::nullopt;
    }
    return static_cast<short>(*value);
}

}  // namespace

void ApplyOptionRule(DirectoriesControls& controls, Frame frame, int index) {
    auto& options = FrameOf(controls, frame);
    if (index == 1) {
        options.selected = 1;
        options.textEnabled = true;
    } else if (index == 0) {
        options.selected = 0;
        options.textEnabled = false;
        if (frame == Frame::FolderDepth) {
            options.text = "-1";
        }
    }
}

void FormLoad(const Session& session, DirectoriesControls& controls) {
    controls.userDir = session.UserPaths;
    controls.keepOnTop.text = std::to_string(session.KeepOnTop);
    ApplyOptionRule(controls, Frame::KeepOnTop, session.Sorting() ? 1 : 0);
    controls.folderDepth.text = std::to_string(session.FolderDepth);
    ApplyOptionRule(controls, Frame::FolderDepth, session.FolderDepth == -1 ? 0 : 1);
}

std::optional<long> ParseWholeNumber(std::string_view input) {
    const std::string text = text::Trim(input);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t digitsStart = pos;
    double value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    bool any = pos > digitsStart;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        double scale = 0.1;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            value += (text[pos] - '0') * scale;
            scale /= 10;
            ++pos;
            any = true;
        }
    }
    if (!any || pos != text.size() || value > 1e9) {
        return std::nullopt;
    }
    return std::lround(negative ? -value : value);
}

short KeepOnTopFromText(std::string_view text) {
    const auto count = ToShort(ParseWholeNumber(text));
    return count && *count >= kMinimumKeepOnTop ? *count : kDefaultKeepOnTop;
}

short FolderDepthFromText(std::string_view text) {
    return ToShort(ParseWholeNumber(text)).value_or(static_cast<short>(-1));
}

void SaveSettings(Session& session, const DirectoriesControls& controls) {
    std::string failure;
    auto store = [&](std::string_view section, std::string_view key, std::string_view value) {
        const std::string error = session.settings.Write(section, key, value);
        if (!error.empty() && failure.empty()) {
            failure = error;
        }
    };
    for (std::size_t row = 0; row < controls.userDir.size(); ++row) {
        const std::string& folder = controls.userDir[row];
        // A folder that is gone is dropped; the empty text would name the game folder itself.
        const std::string kept =
            !folder.empty() && shell::mCommonFunctions::FileExists(session, folder) ? folder : "";
        store("userDir", "path(" + std::to_string(row) + ")", kept);
        session.UserPaths[row] = kept;
    }
    session.SortMode = controls.keepOnTop.selected == 1 ? "yes" : "no";
    store("Prefs", "SortMode", session.SortMode);
    session.KeepOnTop = KeepOnTopFromText(controls.keepOnTop.text);
    store("Prefs", "KeepOnTop", std::to_string(session.KeepOnTop));
    session.FolderDepth = FolderDepthFromText(controls.folderDepth.text);
    store("Prefs", "FolderDepth", std::to_string(session.FolderDepth));
    mResizeWindow::ApplySortCheck(session);
    if (!failure.empty()) {
        session.ui.ShowMessage(kAppTitle,
                               "Could not store the path options for the next start:\n" + failure,
                               MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

std::string UserFolderProblem(const Session& session, std::string_view folder) {
    if (folder.empty()) {
        return {};
    }
    if (!shell::mCommonFunctions::IsAbsolutePath(session.fs, folder)) {
        return "not a full path (it must start with a drive, such as D:\\)";
    }
    const auto kind = session.fs.Attributes(folder);
    if (!kind) {
        return "not found";
    }
    if (*kind != platform::EntryKind::Directory) {
        return "not a folder";
    }
    const std::string shortPath = mDirectoryBrowse::GetShortPath(
        session.fs, shell::mCommonFunctions::StripTrailingBackslash(folder));
    if (!shortPath.empty() && shell::mCommonFunctions::CountSpaces(shortPath) == 0) {
        return {};
    }
    if (shell::mCommonFunctions::CountSpaces(folder) != 0) {
        return "its path holds a blank, and it has no short name without one, so the game "
               "could not mount its pods";
    }
    return "its path is too long to name its pods in a pod list";
}

std::vector<std::string> UserFolderProblems(const Session& session,
                                            const DirectoriesControls& controls) {
    std::vector<std::string> lines;
    for (const std::string& folder : controls.userDir) {
        if (std::string why = UserFolderProblem(session, folder); !why.empty()) {
            lines.push_back(folder + ": " + why);
        }
    }
    return lines;
}

}  // namespace marvok::pathoptions
