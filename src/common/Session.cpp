#include "common/Session.h"

#include "common/Text.h"

namespace marvok {

bool Session::Sorting() const { return text::LowerCase(SortMode) == "yes"; }

std::vector<std::string> MountedEntries(const Session& session) {
    if (session.SideBySide()) {
        return session.List1.Items();
    }
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < session.List3.Count(); ++i) {
        if (session.List3.Checked(i)) {
            entries.push_back(session.List3.Item(i));
        }
    }
    return entries;
}

void SetGamePaths(Session& session, std::string_view programFolder) {
    std::string folder(programFolder);
    // A drive root keeps its backslash ("C:\"); any other folder has none.
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/') &&
           !(folder.size() == 3 && folder[1] == ':')) {
        folder.pop_back();
    }
    session.GameFolder = folder;
    const std::string base = (!folder.empty() && folder.back() == '\\') ? folder.substr(0, folder.size() - 1) : folder;
    session.PodIniPath = base + "\\pod.ini";
    session.MonsterIniPath = base + "\\system\\Monster.ini";
}

}  // namespace marvok
