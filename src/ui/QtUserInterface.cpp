#include "ui/QtUserInterface.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTreeView>
#include <algorithm>
#include <cmath>

#include "ui/Icons.h"

namespace marvok::ui {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
    return text.toUtf8().toStdString();
}

void FitFileDialog(QFileDialog& dialog) {
    const QScreen* screen =
        dialog.screen() != nullptr ? dialog.screen() : QGuiApplication::primaryScreen();
    const QSize room =
        screen != nullptr ? screen->availableGeometry().size() - QSize(40, 60) : QSize(800, 600);
    dialog.resize(QSize(880, 540).boundedTo(room));
    // Size, type and date show whole; the name column takes what is left.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

MessageAnswer QtUserInterface::ShowMessage(std::string_view title, std::string_view text,
                                           MessageIcon icon, MessageButtons buttons,
                                           int defaultButton) {
    UseProgramIcon();
    QMessageBox box(owner_);
    box.setWindowTitle(ToQString(title));
    box.setText(ToQString(text));
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    QList<QMessageBox::StandardButton> order;
    switch (buttons) {
        case MessageButtons::Ok:
            order = {QMessageBox::Ok};
            break;
        case MessageButtons::OkCancel:
            order = {QMessageBox::Ok, QMessageBox::Cancel};
            break;
        case MessageButtons::YesNo:
            order = {QMessageBox::Yes, QMessageBox::No};
            break;
        case MessageButtons::YesNoCancel:
            order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
            break;
    }
    for (auto b : order) {
        box.addButton(b);
    }
    if (defaultButton >= 0 && defaultButton < order.size()) {
        box.setDefaultButton(order[defaultButton]);
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

QString NameFilter(std::string_view description, std::string_view pattern) {
    const QString text = ToQString(description).trimmed();
    // Qt reads the patterns from the parentheses at the end, separated by blanks.
    const QString patterns =
        ToQString(pattern).trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
    if (text.endsWith(QStringLiteral("(") + patterns + QStringLiteral(")"))) {
        return text;
    }
    return text + QStringLiteral(" (") + patterns + QStringLiteral(")");
}

namespace {

// "ini" for a preselected "*.ini"; nothing for patterns that name no one extension.
QString DefaultSuffix(const FileDialogRequest& request) {
    const int index = request.filterIndex - 1;
    if (index < 0 || index >= static_cast<int>(request.filters.size())) {
        return {};
    }
    const QString pattern =
        ToQString(request.filters[static_cast<std::size_t>(index)].second).trimmed();
    if (!pattern.startsWith(QStringLiteral("*."))) {
        return {};
    }
    const QString suffix = pattern.mid(2);
    for (QChar c : suffix) {
        if (!c.isLetterOrNumber()) {
            return {};
        }
    }
    return suffix;
}

}  // namespace

std::string QtUserInterface::ShowFileDialog(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, pattern] : request.filters) {
        filters << NameFilter(description, pattern);
    }
    const std::string folder =
        nativePath_ ? nativePath_(request.initialFolder) : request.initialFolder;
    UseProgramIcon();
    QFileDialog dialog(owner_, ToQString(request.title), ToQString(folder));
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // A bare name gets the extension of the chosen filter here rather than later from the
        // caller, so that the overwrite question is about the file that will be written.
        const QString suffix = filters.isEmpty() ? QString() : DefaultSuffix(request);
        if (!suffix.isEmpty()) {
            dialog.setDefaultSuffix(suffix);
        }
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    }
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return FromQString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

QFont ToQFont(const FontObject& object) {
    QFont font(ToQString(object.Name));
    if (object.Size > 0) {
        font.setPointSizeF(object.Size);
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(object.Weight, 1, 1000)));
    if (object.Bold && object.Weight < QFont::DemiBold) {
        font.setBold(true);
    }
    font.setItalic(object.Italic);
    font.setUnderline(object.Underline);
    font.setStrikeOut(object.Strikethrough);
    return font;
}

void FromQFont(const QFont& font, FontObject& object) {
    // Bold first, then the weight, as the dialog's answer is read.
    object.Bold = font.bold();
    object.Italic = font.italic();
    object.Strikethrough = font.strikeOut();
    object.Underline = font.underline();
    object.Weight = font.weight();
    // The dialog answers in tenths of a point.
    object.Size = std::round(font.pointSizeF() * 10) / 10;
    object.Name = FromQString(font.family());
}

bool QtUserInterface::ChooseFont(FontObject& curFont) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, ToQFont(curFont), owner_);
    if (!ok) {
        return false;
    }
    FromQFont(chosen, curFont);
    return true;
}

}  // namespace marvok::ui
