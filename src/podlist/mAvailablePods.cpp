#include "podlist/mAvailablePods.h"

#include <algorithm>
#include <optional>

#include "podlist/PathOptions.h"
#include "podlist/PodListFile.h"
#include "podlist/mCommonFunctions.h"
#include "shell/Text.h"
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
                  mCommonFunctions::StripTrailingBackslash(session.GameFolder), 0);
    for (const auto& slot : session.UserPaths) {
        if (!slot.empty() && session.FileExists(slot)) {
            ScanPodFolder(session, ScanKind::User, mCommonFunctions::StripTrailingBackslash(slot),
                          0);
        }
    }
    session.List2.EndBatch();
    UpdatePodCounts(session);
}

void ScanPodFolder(Session& session, ScanKind kind, const std::string& folder, int level) {
    std::vector<platform::DirectoryEntry> entries;
    if (!session.fs.ListDirectory(folder, entries)) {
        return;
    }
    std::vector<std::string> subFolders;
    std::optional<std::string> shortFolder;
    for (const auto& entry : entries) {
        // A Linux name holding "\" cannot be named in Windows text: it would read as other
        // folders ("..\..", a folder outside the game's).
        if (entry.isDirectory && entry.name.find('\\') == std::string::npos) {
            subFolders.push_back(entry.name);
        }
    }
    for (const auto& entry : entries) {
        // Folders named like pods are listed too: the name is all that is looked at.
        if (!IsPodName(entry.name)) {
            continue;
        }
        if (kind == ScanKind::User && !shortFolder) {
            shortFolder = mDirectoryBrowse::GetShortPath(session.fs, folder);
        }
        AddAvailablePod(session, kind, folder, entry.name, shortFolder.value_or(std::string()));
    }
    if (session.FolderDepth != -1 && level >= session.FolderDepth) {
        return;
    }
    for (const auto& sub : subFolders) {
        ScanPodFolder(session, kind, folder + "\\" + sub, level + 1);
    }
}

void AddAvailablePod(Session& session, ScanKind kind, const std::string& folder,
                     const std::string& name, const std::string& shortFolder) {
    std::string entry;
    if (kind == ScanKind::User) {
        // Without a space-free form of its folder the pod could not be mounted.
        if (shortFolder.empty()) {
            NotMountedReason why = NotMountedReason::NoShortFolderName;
            if (mCommonFunctions::CountSpaces(name) != 0) {
                why = NotMountedReason::BlankInName;
            } else if (mCommonFunctions::CountSpaces(folder) != 0) {
                why = NotMountedReason::BlankInFolder;
            }
            session.Unmountable.Add(folder + "\\" + name, why);
            return;
        }
        entry = shortFolder + "\\" + name;
    } else if (text::EqualsIgnoringCase(folder, session.GameFolder)) {
        entry = name;
    } else {
        const std::string rel = RemoveAll(folder, session.GameFolder + "\\");
        entry = rel.empty() ? name : rel + "\\" + name;
    }
    if (mCommonFunctions::CountSpaces(name) != 0) {
        session.Unmountable.Add(std::move(entry), NotMountedReason::BlankInName);
        return;
    }
    // What cannot be written to pod.ini is refused like a name with a blank.
    if (mCommonFunctions::CountSpaces(entry) != 0 && kind == ScanKind::User) {
        session.Unmountable.Add(std::move(entry), NotMountedReason::BlankInFolder);
        return;
    }
    if (!CanWritePodName(entry)) {
        session.Unmountable.Add(std::move(entry), NotMountedReason::UnwritableName);
        return;
    }
    // Listed as found, but a list holding it would drop it at the next load.
    if (mCommonFunctions::CountSpaces(entry) != 0) {
        session.Unmountable.Add(entry, NotMountedReason::BlankInFolder);
    }
    std::string lower = text::LowerCase(entry);
    if (session.SideBySide()) {
        // List2 is searched too, so a folder reached twice lists its pods once.
        if (session.List1.ContainsLower(lower) || session.List2.ContainsLower(lower)) {
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
