#include "ui/QtDesktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

bool QtDesktop::SetClipboardText(std::string_view utf8) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->clear();
    clipboard->setText(ToQString(utf8));
    return true;
}

std::string QtDesktop::StartDetached(const LaunchCommand& command) {
    QProcess process;
    process.setProgram(ToQString(command.program));
    QStringList arguments;
    for (const auto& argument : command.arguments) {
        arguments << ToQString(argument);
    }
    process.setArguments(arguments);
    process.setWorkingDirectory(ToQString(command.workingFolder));
    if (!command.environment.empty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : command.environment) {
            environment.insert(ToQString(name), ToQString(value));
        }
        process.setProcessEnvironment(environment);
    }
    if (!process.startDetached()) {
        return FromQString(process.errorString());
    }
    return {};
}

std::string QtDesktop::OpenWithDefaultProgram(std::string_view target) {
    const QString text = ToQString(target);
    const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text, QUrl::StrictMode)
                                                          : QUrl::fromLocalFile(text);
    if (!url.isValid() || !QDesktopServices::openUrl(url)) {
        return "The desktop has no program set up to open it.";
    }
    return {};
}

void QtDesktop::MinimizeMainWindow() {
    if (window_) {
        window_->showMinimized();
    }
}

void QtDesktop::RestoreMainWindow() {
    if (window_) {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
    }
}

void QtDesktop::CloseMainWindow() {
    if (window_) {
        window_->close();
    }
}

}  // namespace marvok::ui
