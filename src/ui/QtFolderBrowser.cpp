#include "ui/QtFolderBrowser.h"

#include <QDir>
#include <QFileDialog>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

std::string QtFolderBrowser::ChooseFolder(std::string_view startFolder, std::string_view prompt) {
    QFileDialog dialog(owner_, ToQString(prompt), ToQString(startFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return FromQString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

}  // namespace marvok::ui
