#include "ui/QtFontDialog.h"

#include <QEventLoop>
#include <QFontDialog>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

QFont QFontOf(const FontObject& font) {
    QFont result(ToQString(font.Name));
    if (font.Size > 0) {
        result.setPointSizeF(font.Size);
    }
    result.setBold(font.Bold);
    result.setItalic(font.Italic);
    result.setUnderline(font.Underline);
    result.setStrikeOut(font.Strikethrough);
    return result;
}

FontObject FontObjectOf(const QFont& font) {
    FontObject result;
    result.Name = FromQString(font.family());
    result.Size = font.pointSizeF() > 0 ? font.pointSizeF() : 0;
    // Bold is set from the font's kind before the weight, as the dialog reports them.
    result.Bold = font.bold();
    result.Italic = font.italic();
    result.Strikethrough = font.strikeOut();
    result.Underline = font.underline();
    result.Weight = font.weight();
    return result;
}

bool QtFontDialog::ChooseFont(FontObject& curFont) {
    QFontDialog dialog(QFontOf(curFont));
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.setWindowModality(Qt::NonModal);
    // The face the dialog settled on for what it was given (a missing face is replaced): OK on
    // that, untouched, is no change.
    const QFont offered = dialog.currentFont();
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    loop.exec();
    if (dialog.result() != QDialog::Accepted) {
        return false;
    }
    const QFont chosen = dialog.selectedFont();
    const bool untouched = chosen.family() == offered.family() &&
                           qRound(chosen.pointSizeF()) == qRound(offered.pointSizeF()) &&
                           chosen.bold() == offered.bold() && chosen.italic() == offered.italic();
    if (!untouched) {
        curFont = FontObjectOf(chosen);
    }
    return true;
}

}  // namespace marvok::ui
