#include "ui/FormConflicts.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

FormConflicts::FormConflicts(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormConflicts"));
    setWindowTitle(QStringLiteral("Conflicts"));
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("conflictsHeading"));
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);
    lines_ = new QPlainTextEdit(this);
    lines_->setObjectName(QStringLiteral("conflictLines"));
    lines_->setReadOnly(true);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Read-only text keeps Tab for moving on to the button.
    lines_->setTabChangesFocus(true);
    heading_->setBuddy(lines_);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(heading_);
    layout->addWidget(lines_, 1);
    layout->addWidget(close);
    resize(560, 400);  // within 800 x 600 with the frame
    ShowScanning();
}

bool FormConflicts::event(QEvent* event) {
    // Escape is the main window's Cancel shortcut too; here it closes this window only.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void FormConflicts::ShowScanning() {
    heading_->setText(QStringLiteral("Looking for shared files\u2026"));
}

void FormConflicts::ShowResult(const PodConflicts& found, const std::vector<std::string>& pods) {
    const auto name = [&pods](std::size_t pod) {
        return pod < pods.size() ? ToQString(pods[pod]) : QString();
    };
    QString text;
    for (const SharedInnerFile& file : found.shared) {
        text += ToQString(file.path) + QLatin1Char('\n');
        for (std::size_t pod : file.pods) {
            text += QStringLiteral("    ") + name(pod) + QLatin1Char('\n');
        }
    }
    if (!found.skipped.empty()) {
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) +
                QStringLiteral("Not read (damaged or unreadable):\n");
        for (const SkippedPod& pod : found.skipped) {
            text += QStringLiteral("    ") + name(pod.pod) + QStringLiteral(": ") +
                    ToQString(pod.problem) + QLatin1Char('\n');
        }
    }
    lines_->setPlainText(text);
    if (found.shared.empty()) {
        heading_->setText(QStringLiteral("No two mounted pods share an inner file."));
        return;
    }
    const QString count = found.shared.size() == 1
                              ? QStringLiteral("1 inner file is")
                              : QStringLiteral("%1 inner files are").arg(found.shared.size());
    heading_->setText(count + QStringLiteral(" carried by more than one mounted pod, each shown "
                                             "with its pods in mount order. Which copy the game "
                                             "uses is not told here."));
}

}  // namespace marvok::ui
