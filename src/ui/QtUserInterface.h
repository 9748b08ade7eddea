#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "common/UserInterface.h"
#include "shell/FontDialog.h"

class QFileDialog;

namespace marvok::ui {

// Message boxes, file dialogs and the font dialog with Qt, owned by the given window.
class QtUserInterface final : public UserInterface, public FontDialog {
  public:
    void SetOwner(QWidget* owner) { owner_ = owner; }
    // Turns the core's paths into the platform's own before a dialog sees them.
    void SetNativePath(std::function<std::string(std::string_view)> nativePath) {
        nativePath_ = std::move(nativePath);
    }

    MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                              MessageButtons buttons, int defaultButton) override;
    std::string ShowFileDialog(const FileDialogRequest& request) override;
    bool ChooseFont(FontObject& curFont) override;

  private:
    QPointer<QWidget> owner_;
    std::function<std::string(std::string_view)> nativePath_;
};

QString ToQString(std::string_view utf8);
std::string FromQString(const QString& text);
// Qt's own file dialog (where the platform has none) opens so small that its Size and Date
// columns are cut: this gives it room, within the screen. A native dialog sizes itself.
void FitFileDialog(QFileDialog& dialog);
// A filter pair as Qt's file dialog reads it: the description, with the pattern in parentheses
// unless the description already ends with it.
QString NameFilter(std::string_view description, std::string_view pattern);
// The font a FontObject describes, and back (bold is taken before the weight).
QFont ToQFont(const FontObject& font);
void FromQFont(const QFont& font, FontObject& object);

}  // namespace marvok::ui
