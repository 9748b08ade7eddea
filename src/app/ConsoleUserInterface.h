#pragma once

#include <ostream>

#include "common/UserInterface.h"

namespace marvok {

// The user interface when there is no window system: messages go to standard error and every
// question takes its default answer.
class ConsoleUserInterface final : public UserInterface {
public:
    explicit ConsoleUserInterface(std::ostream& out) : out_(out) {}

    MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                              MessageButtons buttons, int defaultButton) override;
    std::string ShowFileDialog(const FileDialogRequest& request) override;

private:
    std::ostream& out_;
};

}  // namespace marvok
