#pragma once

#include <QFont>

#include "shell/FontDialog.h"

namespace marvok::ui {

QFont QFontOf(const FontObject& font);
FontObject FontObjectOf(const QFont& font);

// Qt's font dialog without an owner window. It runs its own event loop, so the program's other
// windows keep working while it is up, as they do beside the Windows common dialog.
class QtFontDialog final : public FontDialog {
public:
    bool ChooseFont(FontObject& curFont) override;
};

}  // namespace marvok::ui
