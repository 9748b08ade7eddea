#include "shell/FolderBrowser.h"

namespace marvok::mDirectoryBrowse {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "C:\" and "/" are roots and keep their separator; "C:" alone gets one.
bool IsRoot(std::string_view path) {
    return (path.size() == 3 && path[1] == ':' && IsSeparator(path[2])) ||
           (path.size() == 1 && IsSeparator(path[0]));
}

}  // namespace

std::string BrowseForFolder(FolderBrowser& browser, std::string_view startFolder,
                            std::string_view prompt) {
    std::string chosen = browser.ChooseFolder(startFolder, prompt);
    if (chosen.size() == 2 && chosen[1] == ':') {
        return chosen + "\\";
    }
    while (chosen.size() > 1 && IsSeparator(chosen.back()) && !IsRoot(chosen)) {
        chosen.pop_back();
    }
    return chosen;
}

}  // namespace marvok::mDirectoryBrowse
