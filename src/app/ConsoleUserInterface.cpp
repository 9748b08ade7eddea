#include "app/ConsoleUserInterface.h"

namespace marvok {

MessageAnswer ConsoleUserInterface::ShowMessage(std::string_view title, std::string_view text,
                                                MessageIcon, MessageButtons buttons,
                                                int defaultButton) {
    out_ << title << ": ";
    for (char c : text) {
        out_ << (c == '\n' ? ' ' : c);
    }
    MessageAnswer answer = MessageAnswer::Ok;
    switch (buttons) {
        case MessageButtons::Ok: answer = MessageAnswer::Ok; break;
        case MessageButtons::OkCancel:
            answer = defaultButton == 0 ? MessageAnswer::Ok : MessageAnswer::Cancel;
            break;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            answer = defaultButton == 0   ? MessageAnswer::Yes
                     : defaultButton == 1 ? MessageAnswer::No
                                          : MessageAnswer::Cancel;
            break;
    }
    if (buttons != MessageButtons::Ok) {
        out_ << " [" << (answer == MessageAnswer::Yes ? "Yes" : answer == MessageAnswer::No ? "No"
                                                                 : answer == MessageAnswer::Ok ? "OK"
                                                                 : "Cancel")
             << "]";
    }
    out_ << std::endl;
    return answer;
}

std::string ConsoleUserInterface::ShowFileDialog(const FileDialogRequest&) { return {}; }

}  // namespace marvok
