#pragma once
// A session over a fresh game folder, with a scripted user and settings in memory.

#include <gtest/gtest.h>

#include <memory>

#include "platform/FileSystem.h"
#include "podlist/Session.h"
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

    TestGameFolder game;
    std::unique_ptr<platform::FileSystem> fs;
    MemorySettingsStore settings;
    FakeUserInterface ui;
    Session session;
};

}  // namespace marvok::test
