#pragma once
// A folder chooser that records its requests and answers from a script.

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "shell/FolderBrowser.h"

namespace marvok::test {

class FakeFolderBrowser final : public FolderBrowser {
public:
    std::string ChooseFolder(std::string_view startFolder, std::string_view prompt) override {
        requests.emplace_back(std::string(startFolder), std::string(prompt));
        if (answers.empty()) {
            return {};
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> answers;  // the empty text is a cancel
    std::vector<std::pair<std::string, std::string>> requests;  // start folder, prompt
};

}  // namespace marvok::test
