#pragma once
// Records what the core asks of the desktop, in order, and fails on request.

#include <functional>
#include <string>
#include <vector>

#include "common/Desktop.h"

namespace marvok::test {

class FakeDesktop final : public Desktop {
public:
    bool SetClipboardText(std::string_view utf8) override {
        Record("clipboard");
        if (!clipboardWorks) {
            return false;
        }
        clipboard = std::string(utf8);
        return true;
    }
    std::string StartDetached(const LaunchCommand& command) override {
        Record("start " + command.program);
        started.push_back(command);
        return startError;
    }
    std::string OpenWithDefaultProgram(std::string_view target) override {
        Record("open " + std::string(target));
        return openError;
    }
    void MinimizeMainWindow() override { Record("minimize"); }
    void RestoreMainWindow() override { Record("restore"); }
    void CloseMainWindow() override {
        Record("close");
        if (onClose) {
            onClose();
        }
    }

    std::vector<std::string> events;
    std::vector<LaunchCommand> started;
    std::string clipboard;
    bool clipboardWorks = true;
    std::string startError;
    std::string openError;
    // Runs as each event is recorded, to look at the disk at that moment.
    std::function<void(const std::string& event)> observer;
    std::function<void()> onClose;

private:
    void Record(std::string event) {
        events.push_back(event);
        if (observer) {
            observer(events.back());
        }
    }
};

}  // namespace marvok::test
