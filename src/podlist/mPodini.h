#pragma once
// Reading, writing and refreshing the mounted pod list, and the stock presets.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Session.h"

namespace marvok {

// What became of a read or write of a pod list file.
struct FileResult {
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Done;
    std::string path;       // the file read or written
    std::string error;      // the system's reason when Failed
    long long leftOut = 0;  // entries past the pod limit, not read

    bool Done() const { return status == Status::Done; }
    bool Failed() const { return status == Status::Failed; }
};

namespace mPodini {

// mode "import": reads file (or, when it is empty, the file chosen in the Open dialog); any other
// mode reads pod.ini, or applies the Default stock list when pod.ini is missing. A file that
// cannot be read whole, or (on import) is no pod list, leaves the lists as they were and is
// reported as Failed. A list read replaces session.NotMounted with the entries it did not mount.
FileResult LoadPodList(Session& session, std::string_view mode, std::string_view file = {});
// mode "export": writes to the file chosen in the Save dialog (".ini" appended when missing);
// any other mode writes pod.ini. The file is replaced whole or not at all; what it held before is
// kept in session.LastSavedCopy when that differs from what was written.
FileResult SavePodList(Session& session, std::string_view mode);

// The file that keeps the pod.ini a save replaced, for one game folder: a file in
// <dataFolder>/Marvok/last-saved/ named for the folder, so that games never share one.
std::string LastSavedCopyPath(std::string_view dataFolder, std::string_view gameFolder);
// Puts the pod.ini that the last save replaced into the lists, as pod.ini not saved yet; writes
// nothing. Failed when no copy is kept or it cannot be read.
FileResult RestoreLastSaved(Session& session);

// Which list the lists show and whether pod.ini holds it: "ice-night.ini — not saved".
std::string ListStatusText(const Session& session);
// What a successful read or write of a list at path means for that text.
void NoteListRead(Session& session, std::string_view path, bool isPodIni);
void NoteListWritten(Session& session, std::string_view path, bool isPodIni);
// Appends one pod to the mounted list when it exists, holds no blank, reads back from a list
// file as written and the limit allows; the limit shows the pod limit message.
bool AddPod(Session& session, std::string_view name);
// Why AddPod would refuse the name, the pod limit aside; nothing when it would take it.
std::optional<NotMountedReason> RefusalReason(const Session& session, std::string_view name);
// Whether pod.ini exists; enables the Notepad commands accordingly. With "lastCall" a missing
// pod.ini may be created after asking the user.
bool CheckPodIni(Session& session, std::string_view word);
void RefreshPodLists(Session& session);
// Answers the entries removed, in list order.
std::vector<std::string> RemoveDuplicatePods(ListBox& list);
// "minimal": the first seven stock pods; anything else: all twenty.
void ApplyStockPreset(Session& session, std::string_view kind);

// The names of the Default stock list, in mount order.
const std::array<std::string_view, 20>& StockPods();

}  // namespace mPodini
}  // namespace marvok
