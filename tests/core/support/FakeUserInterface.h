#pragma once
// Records every message and dialog the core asks for and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "common/UserInterface.h"

namespace marvok::test {

struct RecordedMessage {
    std::string title;
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
    int defaultButton;
};

class FakeUserInterface final : public UserInterface {
public:
    MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                              MessageButtons buttons, int defaultButton) override {
        messages.push_back({std::string(title), std::string(text), icon, buttons, defaultButton});
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok
                                             : (defaultButton == 0 ? MessageAnswer::Yes
                                                                   : MessageAnswer::No);
    }

    std::string ShowFileDialog(const FileDialogRequest& request) override {
        dialogs.push_back(request);
        if (fileAnswers.empty()) {
            return {};
        }
        std::string answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    std::vector<RecordedMessage> messages;
    std::deque<MessageAnswer> answers;
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::string> fileAnswers;
};

}  // namespace marvok::test
