#include <gtest/gtest.h>

#include <filesystem>

#include "platform/GameLaunch.h"
#include "support/TestGameFolder.h"

namespace marvok::platform {
namespace {

namespace fs = std::filesystem;

class GameLaunchTest : public ::testing::Test {
protected:
    // An executable (or not) named wine in a folder of the temporary tree.
    std::string Wine(std::string_view folder, bool executable = true) {
        tree.Write(std::string(folder) + "\\wine", "#!/bin/sh\n");
        const fs::path path = tree.Native(std::string(folder) + "\\wine");
        fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read);
        return path.string();
    }
    std::string Folder(std::string_view relative) { return tree.Native(relative).string(); }

    test::TestGameFolder tree;
};

TEST_F(GameLaunchTest, StartsTheGameThroughTheFirstWineOnThePathInTheGameFolder) {
    Wine("bin1", false);  // not executable: skipped
    const std::string wine = Wine("bin2");
    Wine("bin3");
    tree.Write("game\\monster.exe");
    const std::string path =
        "relative:" + Folder("bin1") + "::" + Folder("bin2") + "/:" + Folder("bin3");
    const GameLaunch launch = GameLaunchCommand(Folder("game\\monster.exe"), Folder("game"), path);
    ASSERT_TRUE(launch.command) << launch.error;
    EXPECT_EQ(launch.command->program, wine);
    EXPECT_EQ(launch.command->arguments, std::vector<std::string>{Folder("game\\monster.exe")});
    EXPECT_EQ(launch.command->workingFolder, Folder("game"));
    EXPECT_TRUE(launch.command->environment.empty());  // not inside a prefix
}

TEST_F(GameLaunchTest, AGameInsideAPrefixRunsInThatPrefix) {
    Wine("bin");
    tree.Write("prefix\\system.reg", "WINE REGISTRY Version 2\n");
    tree.MakeFolder("prefix\\drive_c\\Games\\MTM2");
    const GameLaunch launch =
        GameLaunchCommand(Folder("prefix\\drive_c\\Games\\MTM2\\monster.exe"),
                          Folder("prefix\\drive_c\\Games\\MTM2"), Folder("bin"));
    ASSERT_TRUE(launch.command);
    ASSERT_EQ(launch.command->environment.size(), 1u);
    EXPECT_EQ(launch.command->environment[0].first, "WINEPREFIX");
    EXPECT_EQ(fs::path(launch.command->environment[0].second), tree.Native("prefix"));
}

TEST_F(GameLaunchTest, WithoutWineTheUserLearnsWhatIsMissing) {
    Wine("bin", false);
    const GameLaunch launch = GameLaunchCommand("/games/monster.exe", "/games", Folder("bin"));
    EXPECT_FALSE(launch.command);
    EXPECT_NE(launch.error.find("Wine"), std::string::npos);
    EXPECT_FALSE(GameLaunchCommand("/games/monster.exe", "/games", "").command);
}

}  // namespace
}  // namespace marvok::platform
