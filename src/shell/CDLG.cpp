#include "shell/CDLG.h"

#include "common/Session.h"
#include "shell/mCommonFunctions.h"

namespace marvok {

std::vector<std::pair<std::string, std::string>> ParseDialogFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : filter) {
        if (c == '|' || c == ':') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) {
            break;  // two separators in a row end the list, as the doubled NUL does
        }
        pairs.emplace_back(parts[i], parts[i + 1]);
    }
    return pairs;
}

std::string ChoosePodListFile(Session& session, std::string_view mode) {
    FileDialogRequest request;
    const std::string iniFolder =
        shell::mCommonFunctions::StripTrailingBackslash(session.GameFolder) + "\\ini";
    request.initialFolder = shell::mCommonFunctions::FolderExists(session.fs, iniFolder)
                                ? iniFolder
                                : session.GameFolder;
    request.filters = ParseDialogFilter("Pod Files (*.ini)|*.ini|All Files (*.*)|*.*");
    request.filterIndex = 1;
    if (mode == "save") {
        request.save = true;
        request.title = "Save File";
        request.overwritePrompt = true;
        request.fileMustExist = false;
    } else {
        request.title = "Open File";
        request.fileMustExist = true;
        request.overwritePrompt = false;
    }
    return session.ui.ShowFileDialog(request);
}

}  // namespace marvok
