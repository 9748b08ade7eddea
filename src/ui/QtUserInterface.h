#pragma once

#include <QPointer>
#include <QWidget>

#include "podlist/UserInterface.h"

namespace marvok::ui {

// Message boxes and file dialogs with Qt, owned by the given window.
class QtUserInterface final : public UserInterface {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                              MessageButtons buttons, int defaultButton) override;
    std::string ShowFileDialog(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

QString ToQString(std::string_view utf8);
std::string FromQString(const QString& text);

}  // namespace marvok::ui
