#pragma once
// The port through which the core asks the user: message boxes and file dialogs. The windows
// implement it with Qt, the command line with standard error, tests with a recording fake.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marvok {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;  // description, pattern
    int filterIndex = 1;                                        // 1-based, as preselected
    std::string initialFolder;
    bool fileMustExist = true;
    bool overwritePrompt = true;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // defaultButton counts the buttons from 0 (Yes of Yes/No is 0).
    virtual MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                                      MessageIcon icon, MessageButtons buttons,
                                      int defaultButton = 0) = 0;
    // The chosen full path, or the empty text when the user cancelled.
    virtual std::string ShowFileDialog(const FileDialogRequest& request) = 0;
};

}  // namespace marvok
