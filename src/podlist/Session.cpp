#include "podlist/Session.h"

#include "shell/Text.h"
#include "shell/mCommonFunctions.h"

namespace marvok {

bool Session::FileExists(std::string_view path) const {
    return mCommonFunctions::FileExists(fs, GameFolder, path);
}

bool Session::Sorting() const { return text::LowerCase(SortMode) == "yes"; }

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
