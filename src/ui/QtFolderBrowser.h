#pragma once

#include <QPointer>
#include <QWidget>

#include "shell/FolderBrowser.h"

namespace marvok::ui {

// The platform's folder chooser (the native one where the platform has it), owned by a window.
class QtFolderBrowser final : public FolderBrowser {
public:
    explicit QtFolderBrowser(QWidget* owner) : owner_(owner) {}
    std::string ChooseFolder(std::string_view startFolder, std::string_view prompt) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace marvok::ui
