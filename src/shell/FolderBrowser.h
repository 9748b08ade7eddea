#pragma once
// The port for the folder chooser, and the routine the settings window asks it through.

#include <string>
#include <string_view>

namespace marvok {

class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    // The folder the user chose (the platform's path text), or the empty text on cancel.
    // startFolder empty: the chooser opens at its default place.
    virtual std::string ChooseFolder(std::string_view startFolder, std::string_view prompt) = 0;
};

namespace mDirectoryBrowse {

// Asks the user for a folder. A drive root comes back with its separator ("C:\", "/"), any other
// folder without a trailing one; a cancel gives the empty text.
std::string BrowseForFolder(FolderBrowser& browser, std::string_view startFolder,
                            std::string_view prompt);

}  // namespace mDirectoryBrowse
}  // namespace marvok
