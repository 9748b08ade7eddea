#include "ui/QtUserInterface.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace marvok::ui {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }

MessageAnswer QtUserInterface::ShowMessage(std::string_view title, std::string_view text,
                                           MessageIcon icon, MessageButtons buttons,
                                           int defaultButton) {
    QMessageBox box(owner_);
    box.setWindowTitle(ToQString(title));
    box.setText(ToQString(text));
    switch (icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    QList<QMessageBox::StandardButton> order;
    switch (buttons) {
        case MessageButtons::Ok: order = {QMessageBox::Ok}; break;
        case MessageButtons::OkCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
        case MessageButtons::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
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
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        default: return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

std::string QtUserInterface::ShowFileDialog(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, pattern] : request.filters) {
        // Qt reads the patterns from the parentheses: give it the pattern itself.
        filters << ToQString(description).trimmed() + QStringLiteral(" (") +
                       ToQString(pattern).trimmed().replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QStringLiteral(")");
    }
    QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialFolder));
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return FromQString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

}  // namespace marvok::ui
