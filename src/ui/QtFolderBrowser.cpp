#include "ui/QtFolderBrowser.h"

#include <QDir>
#include <QFileDialog>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

std::string QtFolderBrowser::ChooseFolder(std::string_view startFolder, std::string_view prompt) {
    const QString chosen = QFileDialog::getExistingDirectory(owner_, ToQString(prompt),
                                                             ToQString(startFolder));
    return chosen.isEmpty() ? std::string() : FromQString(QDir::toNativeSeparators(chosen));
}

}  // namespace marvok::ui
