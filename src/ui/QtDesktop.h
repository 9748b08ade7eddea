#pragma once

#include <QPointer>
#include <QWidget>

#include "common/Desktop.h"

namespace marvok::ui {

// The desktop as Qt reaches it: the clipboard, detached processes, the desktop's default
// programs, and the main window.
class QtDesktop final : public Desktop {
public:
    void SetMainWindow(QWidget* window) { window_ = window; }

    bool SetClipboardText(std::string_view utf8) override;
    std::string StartDetached(const LaunchCommand& command) override;
    std::string OpenWithDefaultProgram(std::string_view target) override;
    void MinimizeMainWindow() override;
    void RestoreMainWindow() override;
    void CloseMainWindow() override;

private:
    QPointer<QWidget> window_;
};

}  // namespace marvok::ui
