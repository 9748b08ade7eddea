#include "podlist/mAvailablePods.h"

#include <algorithm>
#include <optional>

#include "common/Text.h"
#include "podlist/PathOptions.h"
#include "podlist/PodListFile.h"
#include "podlist/mCommonFunctions.h"
#include "shell/mCommonFunctions.h"
#include "shell/mDirectoryBrowse.h"

namespace marvok::mAvailablePods {
namespace {

bool IsPodName(std::string_view name) {
    return text::EndsWithIgnoringCase(name, ".pod");
}

// Every occurrence of what replaced by nothing, as a plain text replacement.
std::string RemoveAll(std::string text, const std::string& what) {
    if (what.empty()) {
        return text;
    }
    std::size_t pos = 0;
    while ((pos = text.find(what, pos)) != std::string::npos) {
        text.erase(pos, what.size());
    }
    return text;
}

}  // namespace

void RefreshAvailablePods(Session& session) {
    session.SkippedUserFolders.clear();
    for (const auto& slot : session.UserPaths) {
        if (std::string why = pathoptions::UserFolderProblem(session, slot); !why.empty()) {
            session.SkippedUserFolders.push_back(slot + ": " + why);
        }
    }
    session.List2.Clear();
    session.Unmountable.Clear();
    session.List2.BeginBatch();
    ScanPodFolder(session, ScanKind::Game,
                  shell::mCommonFunctions::StripTrailingBackslash(session.GameFolder), 0);
    for (const auto& slot : session.UserPaths) {
        if (!slot.empty() && shell::mCommonFunctions::FileExists(session, slot)) {
            ScanPodFolder(session, ScanKind::User,
                          shell::mCommonFunctions::StripTrailingBackslash(slot), 0);
        }
    }
    session.List2.EndBatch();
    session.List2.RemoveRepeats();
    podlist::mCommonFunctions::UpdatePodCounts(session);
}

void ScanPodFolder(Session& session, ScanKind kind, const std::string& folder, int level) {
    std::vector<platform::DirectoryEntry> entries;
    if (!session.fs.ListDirectory(folder, entries)) {
        return;
    }
    std::vector<std::string> subFolders;
    for (const auto& entry : entries) {
        // A Linux name holding "\" cannot be named in Windows text: it would read as other
        // folders ("..\..", a folder outside the game's).
        if (entry.isDirectory && entry.name.find('\\') == std::string::npos) {
            subFolders.push_back(entry.name);
        }
    }
    bool formed = false;
    std::optional<std::string> entryFolder;
    for (const auto& entry : entries) {
        // Folders named like pods are listed too: the name is all that is looked at.
        if (!IsPodName(entry.name)) {
            continue;
        }
        if (!formed) {
            entryFolder = EntryFolder(session, kind, folder);
            formed = true;
        }
        AddAvailablePod(session, kind, folder, entry.name, entryFolder);
    }
    if (session.FolderDepth != -1 && level >= session.FolderDepth) {
        return;
    }
    for (const auto& sub : subFolders) {
        ScanPodFolder(session, kind, folder + "\\" + sub, level + 1);
    }
}

std::optional<std::string> EntryFolder(Session& session, ScanKind kind, const std::string& folder) {
    if (kind == ScanKind::User) {
        std::string shortFolder = mDirectoryBrowse::GetShortPath(session.fs, folder);
        if (shortFolder.empty()) {
            return std::nullopt;
        }
        return shortFolder;
    }
    if (text::EqualsIgnoringCase(folder, session.GameFolder)) {
        return std::string();
    }
    return RemoveAll(folder, session.GameFolder + "\\");
}

void AddAvailablePod(Session& session, ScanKind kind, const std::string& folder,
                     const std::string& name, const std::optional<std::string>& entryFolder) {
    if (!entryFolder) {
        // Without a space-free form of its folder the pod could not be mounted.
        NotMountedReason why = NotMountedReason::NoShortFolderName;
        if (shell::mCommonFunctions::CountSpaces(name) != 0) {
            why = NotMountedReason::BlankInName;
        } else if (shell::mCommonFunctions::CountSpaces(folder) != 0) {
            why = NotMountedReason::BlankInFolder;
        }
        session.Unmountable.Add(folder + "\\" + name, why);
        return;
    }
    std::string entry = entryFolder->empty() ? name : *entryFolder + "\\" + name;
    if (shell::mCommonFunctions::CountSpaces(name) != 0) {
        session.Unmountable.Add(std::move(entry), NotMountedReason::BlankInName);
        return;
    }
    // What cannot be written to pod.ini is refused like a name with a blank.
    if (shell::mCommonFunctions::CountSpaces(entry) != 0 && kind == ScanKind::User) {
        session.Unmountable.Add(std::move(entry), NotMountedReason::BlankInFolder);
        return;
    }
    if (!CanWritePodName(entry)) {
        session.Unmountable.Add(std::move(entry), NotMountedReason::UnwritableName);
        return;
    }
    // Listed as found, but a list holding it would drop it at the next load.
    if (shell::mCommonFunctions::CountSpaces(entry) != 0) {
        session.Unmountable.Add(entry, NotMountedReason::BlankInFolder);
    }
    std::string lower = text::LowerCase(entry);
    if (session.SideBySide()) {
        // A folder reached twice lists its pods once: the scan's end drops the repeats.
        if (session.List1.ContainsLower(lower)) {
            return;
        }
        session.List2.AddLoweredItem(std::move(entry), std::move(lower));
    } else {
        if (session.List3.ContainsLower(lower)) {
            return;
        }
        session.List3.AddLoweredItem(std::move(entry), std::move(lower), false);
    }
}

}  // namespace marvok::mAvailablePods
