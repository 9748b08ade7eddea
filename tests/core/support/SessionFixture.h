#pragma once
// A session over a fresh game folder, with a scripted user and settings in memory.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/Session.h"
#include "platform/FileSystem.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"

namespace marvok::test {

class SessionFixture : public ::testing::Test {
protected:
    SessionFixture()
        : fs(platform::CreateFileSystem(game.Folder())), session(*fs, settings, ui) {
        SetGamePaths(session, game.Folder());
    }

    // Pod files that exist in the game folder (Windows-style relative names).
    void Pods(std::initializer_list<std::string_view> names) {
        for (auto name : names) {
            game.Write(name, "POD");
        }
    }

    // Names mounted side by side, in this order.
    void Mount(const std::vector<std::string>& names) {
        for (const auto& name : names) {
            session.List1.AddItem(name);
        }
    }
    // The single list, filled with these entries and whether each is checked.
    void Single(const std::vector<std::pair<std::string, bool>>& entries) {
        session.ViewMode = 1;
        session.List3.Clear();
        for (const auto& [name, checked] : entries) {
            session.List3.AddItem(name, checked);
        }
    }
    // Whether the message at this place was shown and holds this text.
    bool Said(std::size_t message, std::string_view part) const {
        return ui.messages.size() > message &&
               ui.messages[message].text.find(part) != std::string::npos;
    }

    TestGameFolder game;
    std::unique_ptr<platform::FileSystem> fs;
    MemorySettingsStore settings;
    FakeUserInterface ui;
    Session session;
};

}  // namespace marvok::test
