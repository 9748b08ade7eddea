#include "podlist/mPodini.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "common/Text.h"
#include "platform/AtomicWrite.h"
#include "podlist/PodListFile.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "shell/CDLG.h"
#include "shell/mCommonFunctions.h"

namespace marvok::mPodini {
namespace {

// AddPod, answering why it refused.
std::optional<NotMountedReason> TryAddPod(Session& session, std::string_view name) {
    if (session.List1.Count() >= static_cast<std::size_t>(std::max<short>(session.PodLimit, 0))) {
        podlist::mCommonFunctions::ShowPodLimitMessage(session);
        return NotMountedReason::BeyondPodLimit;
    }
    if (auto why = RefusalReason(session, name)) {
        return why;
    }
    ListBox& list = session.SideBySide() ? session.List1 : session.List3;
    list.AddItem(std::string(name), true);
    if (session.Sorting() && list.Count() > 0) {
        podlist::mCommonFunctions::SortPodRange(list, session.KeepOnTop,
                                                static_cast<long>(list.Count()) - 1);
    }
    return std::nullopt;
}

// A pod list file is a few kilobytes; more than this is not a pod list.
constexpr std::size_t kMaxListBytes = 16u << 20;

std::filesystem::path NativeFsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// Keeps what pod.ini held before a save. A copy that cannot be made is removed rather than left
// stale: restoring an older list as "the last saved" would be worse than having none.
void KeepReplacedPodIni(const std::string& copy, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(NativeFsPath(copy).parent_path(), error);
    if (!platform::WriteFileAtomically(copy, bytes).empty()) {
        std::filesystem::remove(NativeFsPath(copy), error);
    }
}

FileResult Refused(FileResult result, std::string error) {
    result.status = FileResult::Status::Failed;
    result.error = std::move(error);
    return result;
}

}  // namespace

const std::array<std::string_view, 20>& StockPods() {
    static constexpr std::array<std::string_view, 20> kStock = {
        "fixmore4.pod", "startup.pod", "music.pod",   "sound.pod",   "truck2.pod",
        "cockpit.pod",  "ui.pod",      "tpark.pod",   "alaska.pod",  "junk.pod",
        "crazy98.pod",  "snake.pod",   "main.pod",    "aztec.pod",   "outback.pod",
        "rockqry.pod",  "baja.pod",    "summit1.pod", "summit2.pod", "summit3.pod"};
    return kStock;
}

namespace {

constexpr const char* kNotSaved = " \u2014 not saved";

std::string FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

void NoteListRead(Session& session, std::string_view path, bool isPodIni) {
    session.ListName = isPodIni ? "pod.ini" : FileNameOf(path);
    if (isPodIni) {
        session.PodIniEntries = session.List1.Items();
    }
}

void NoteListWritten(Session& session, std::string_view path, bool isPodIni) {
    if (isPodIni) {
        session.PodIniEntries = session.List1.Items();
    } else {
        session.ListName = FileNameOf(path);
    }
}

std::string ListStatusText(const Session& session) {
    std::vector<std::string> shown = MountedEntries(session);
    // pod.ini is what the game mounts: anything else in the lists is not saved yet. The single
    // list shows the mounted pods in its own order, which is no change.
    if (!session.PodIniEntries) {
        return session.ListName + kNotSaved;
    }
    bool saved = shown == *session.PodIniEntries;
    if (!saved && !session.SideBySide()) {
        std::vector<std::string> held = *session.PodIniEntries;
        std::sort(shown.begin(), shown.end());
        std::sort(held.begin(), held.end());
        saved = shown == held;
    }
    return saved ? session.ListName : session.ListName + kNotSaved;
}

FileResult LoadPodList(Session& session, std::string_view mode, std::string_view file) {
    FileResult result;
    const bool import = mode == "import";
    std::string source;
    if (import) {
        source = file.empty() ? ChoosePodListFile(session, "open") : std::string(file);
    } else {
        source = session.PodIniPath;
    }
    result.path = source;
    CheckPodIni(session, "");
    if (!import && !shell::mCommonFunctions::FileExists(session, session.PodIniPath)) {
        ApplyStockPreset(session, "all");
        session.ListName = "pod.ini";
        session.PodIniEntries.reset();
        return result;
    }
    if (source.empty()) {
        result.status = FileResult::Status::Cancelled;
        return result;
    }
    // Read before clearing: a list that cannot be read must not empty the mounted list.
    std::string full = source;
    if (!shell::mCommonFunctions::IsAbsolutePath(session.fs, source)) {
        full = session.GameFolder + "\\" + source;
    }
    // One byte more than the limit tells a file cut short from one that fits.
    const platform::ReadResult read = session.fs.ReadFile(full, kMaxListBytes + 1);
    if (!read.ok) {
        return Refused(result, read.error);
    }
    if (read.bytes.size() > kMaxListBytes) {
        return Refused(result, "It is larger than 16 MiB, too large for a pod list.");
    }
    const ParsedPodList parsed = ParsePodList(read.bytes, session.PodLimit);
    // Any .ini file can be handed over; one without a count would install as an empty list.
    // pod.ini itself stays the game's: whatever it holds, it reads as it always did.
    if (import && !parsed.isList) {
        return Refused(result, "It is not a pod list: its first line is not the number of pods.");
    }
    result.leftOut = parsed.leftOut;
    session.List1.Clear();
    session.List3.Clear();
    // Each entry not mounted, with its position in the list, so the report keeps list order.
    std::vector<std::pair<std::size_t, NotMountedEntry>> dropped;
    std::vector<std::size_t> mounted;
    for (std::size_t i = 0; i < parsed.names.size(); ++i) {
        const std::string& name = parsed.names[i];
        if (const auto why = TryAddPod(session, name)) {
            dropped.push_back({i, {name, *why}});
        } else {
            mounted.push_back(i);
        }
    }
    std::vector<std::string> repeats = RemoveDuplicatePods(session.List1);
    if (!repeats.empty()) {
        std::unordered_map<std::string, std::vector<std::size_t>> mountedAt;
        for (std::size_t i : mounted) {
            mountedAt[parsed.names[i]].push_back(i);
        }
        for (std::string& repeat : repeats) {
            // Of equal spellings the first stays, so the one removed is the latest.
            auto& at = mountedAt[repeat];
            const std::size_t position = at.empty() ? parsed.names.size() : at.back();
            if (!at.empty()) {
                at.pop_back();
            }
            dropped.push_back({position, {std::move(repeat), NotMountedReason::Repeat}});
        }
    }
    std::stable_sort(dropped.begin(), dropped.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    LoadReport report;
    report.source = source;
    for (auto& d : dropped) {
        report.entries.push_back(std::move(d.second));
    }
    for (auto& name : parsed.leftOutNames) {
        report.entries.push_back({std::move(name), NotMountedReason::BeyondPodLimit});
    }
    report.unnamedBeyondLimit = parsed.leftOut - static_cast<long long>(parsed.leftOutNames.size());
    session.NotMounted = std::move(report);
    podlist::mCommonFunctions::UpdatePodCounts(session);
    NoteListRead(session, import ? source : session.PodIniPath, !import);
    return result;
}

FileResult SavePodList(Session& session, std::string_view mode) {
    FileResult result;
    if (!session.SideBySide()) {
        session.List1.Clear();
        for (std::size_t i = 0; i < session.List3.Count(); ++i) {
            if (session.List3.Checked(i)) {
                session.List1.AddItem(session.List3.Item(i));
            }
        }
    }
    std::string target =
        mode == "export"
            ? shell::mCommonFunctions::EnsureIniExtension(ChoosePodListFile(session, "save"))
            : session.PodIniPath;
    result.path = target;
    if (target.size() < 5) {
        result.status = FileResult::Status::Cancelled;
        return result;
    }
    const auto bytes = FormatPodList(session.List1.Items());
    if (!bytes) {
        result.status = FileResult::Status::Failed;
        result.error = "A pod name cannot be written to a pod list as it is.";
        return result;
    }
    const bool podIni = mode != "export";
    std::optional<platform::ReadResult> replaced;
    if (podIni && !session.LastSavedCopy.empty() &&
        shell::mCommonFunctions::FileExists(session, target)) {
        replaced = session.fs.ReadFile(target, kMaxListBytes + 1);
    }
    if (auto error = session.fs.WriteFileAtomic(target, *bytes); !error.empty()) {
        result.status = FileResult::Status::Failed;
        result.error = std::move(error);
        return result;
    }
    // Saving the same list again keeps the copy of the one before it.
    if (replaced && replaced->ok && replaced->bytes.size() <= kMaxListBytes &&
        replaced->bytes != *bytes) {
        KeepReplacedPodIni(session.LastSavedCopy, replaced->bytes);
    }
    NoteListWritten(session, target, podIni);
    return result;
}

std::string LastSavedCopyPath(std::string_view dataFolder, std::string_view gameFolder) {
    if (dataFolder.empty()) {
        return {};
    }
    // FNV-1a of the folder ignoring case: stable across runs, builds and platforms.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text::LowerCase(gameFolder)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    const char separator = dataFolder.find('\\') != std::string_view::npos ? '\\' : '/';
    std::string path(dataFolder);
    if (path.back() != separator) {
        path += separator;
    }
    return path + "Marvok" + separator + "last-saved" + separator + name + ".ini";
}

FileResult RestoreLastSaved(Session& session) {
    FileResult result;
    result.path = session.LastSavedCopy;
    if (session.LastSavedCopy.empty() ||
        session.fs.Attributes(session.LastSavedCopy) != platform::EntryKind::File) {
        return Refused(result,
                       "Marvok has not replaced a pod.ini of this game yet: it keeps the one "
                       "each save replaces.");
    }
    result = LoadPodList(session, "import", session.LastSavedCopy);
    if (!result.Done()) {
        return result;
    }
    mAvailablePods::RefreshAvailablePods(session);
    session.ListName = "pod.ini";
    session.NotMounted.source = "pod.ini as last saved";
    return result;
}

bool AddPod(Session& session, std::string_view name) {
    return !TryAddPod(session, name);
}

std::optional<NotMountedReason> RefusalReason(const Session& session, std::string_view name) {
    if (name.empty()) {
        return NotMountedReason::EmptyEntry;
    }
    if (shell::mCommonFunctions::CountSpaces(name) != 0) {
        const auto folderEnd = name.find_last_of("\\/");
        const bool inFileName =
            folderEnd == std::string_view::npos ||
            shell::mCommonFunctions::CountSpaces(name.substr(folderEnd + 1)) != 0;
        return inFileName ? NotMountedReason::BlankInName : NotMountedReason::BlankInFolder;
    }
    // What pod.ini would not give back as written (a comma splits it) is refused like a blank.
    if (!CanWritePodName(name)) {
        return NotMountedReason::UnwritableName;
    }
    if (!shell::mCommonFunctions::FileExists(session, name)) {
        return NotMountedReason::FileNotFound;
    }
    return std::nullopt;
}

bool CheckPodIni(Session& session, std::string_view word) {
    bool exists = shell::mCommonFunctions::FileExists(session, session.PodIniPath);
    if (!exists && word == "lastCall") {
        const MessageAnswer answer = session.ui.ShowMessage(
            "File Not Found", "Pod.ini does not exist.\nDo you want to create it now?",
            MessageIcon::Exclamation, MessageButtons::YesNo, 0);
        if (answer == MessageAnswer::Yes) {
            const FileResult saved = SavePodList(session, "");
            exists = saved.Done();
            if (saved.Failed()) {
                session.ui.ShowMessage(std::string(kAppTitle),
                                       "Could not write " + saved.path + ":\n" + saved.error,
                                       MessageIcon::Critical, MessageButtons::Ok);
            }
        }
    }
    session.controls.SetEnabled(ControlName("menuFile", 0), exists);
    session.controls.SetEnabled(ControlName("toolbar", 8), exists);
    return exists;
}

void RefreshPodLists(Session& session) {
    if (session.SideBySide()) {
        if (session.List1.Count() == 0) {
            return;
        }
        const std::vector<std::string> mounted = session.List1.Items();
        session.List1.Clear();
        for (const auto& name : mounted) {
            AddPod(session, name);
        }
        podlist::mCommonFunctions::UpdatePodCounts(session);
        return;
    }
    session.List1.Clear();
    for (std::size_t i = 0; i < session.List3.Count(); ++i) {
        if (session.List3.Checked(i)) {
            session.List1.AddItem(session.List3.Item(i));
        }
    }
    if (session.Sorting() && session.List1.Count() > 0) {
        podlist::mCommonFunctions::SortPodRange(session.List1, session.KeepOnTop,
                     static_cast<long>(session.List1.Count()) - 1);
    }
    session.List3.Clear();
    for (std::size_t i = 0; i < session.List1.Count(); ++i) {
        session.List3.AddItem(session.List1.Item(i), true);
    }
    session.List1.Clear();
}

std::vector<std::string> RemoveDuplicatePods(ListBox& list) {
    std::vector<std::string> removed;
    std::unordered_set<std::string> seen;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (!seen.insert(list.LowerItem(i)).second) {
            removed.push_back(list.Item(i));
        }
    }
    if (!removed.empty()) {
        seen.clear();
        list.RemoveIf([&seen](const std::string& lower) { return !seen.insert(lower).second; });
    }
    return removed;
}

void ApplyStockPreset(Session& session, std::string_view kind) {
    // The stock list replaces whatever list was loaded, and what it did not mount with it.
    session.NotMounted = {};
    session.List1.Clear();
    session.List3.Clear();
    const std::size_t count = kind == "minimal" ? 7 : StockPods().size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name(StockPods()[i]);
        if (!AddPod(session, "Fixes\\" + name) && !AddPod(session, "Stock\\" + name)) {
            AddPod(session, name);
        }
    }
    RefreshPodLists(session);
    mAvailablePods::RefreshAvailablePods(session);
    podlist::mCommonFunctions::UpdatePodCounts(session);
}

}  // namespace marvok::mPodini
