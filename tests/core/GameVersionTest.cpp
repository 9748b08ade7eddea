#include <gtest/gtest.h>

#include "podlist/mCommonFunctions.h"
#include "support/SessionFixture.h"
#include "support/TestNames.h"

namespace marvok {
namespace {

using mCommonFunctions::DetectGameVersion;

struct Edition {
    std::uintmax_t size;
    const char* version;
    short limit;
    bool stockMenu;
    bool launch;
};

class EditionTable : public test::SessionFixture, public ::testing::WithParamInterface<Edition> {};

TEST_P(EditionTable, SizeTellsTheEdition) {
    const Edition& e = GetParam();
    game.WriteSized("monster.exe", e.size);
    game.Write("system\\Monster.ini", "[Fonts]\r\n");
    DetectGameVersion(session);
    EXPECT_EQ(session.GameVersion, e.version);
    EXPECT_EQ(session.PodLimit, e.limit);
    EXPECT_EQ(session.GameExeName, "monster.exe");
    EXPECT_EQ(session.controls.Enabled("menuReset"), e.stockMenu);
    for (auto control : {"toolbar_7", "menuPrefs_1", "menuFile_5", "commFile_0"}) {
        EXPECT_EQ(session.controls.Enabled(control), e.launch) << control;
    }
    EXPECT_TRUE(session.controls.Enabled("menuPrefs_2"));
    EXPECT_TRUE(session.controls.Enabled("toolbar_9"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, EditionTable,
                         ::testing::Values(Edition{2920448, "MTM2 Unpatched", 30, true, true},
                                           Edition{2925568, "MTM2 Patched", 100, true, true},
                                           Edition{2918400, "MTM2 Trial", 30, true, true},
                                           Edition{3109888, "MTM1 Unpatched", 30, false, true},
                                           Edition{2455552, "MTM1 Patched", 30, false, true},
                                           Edition{2925569, "Unknown", 30, true, false},
                                           Edition{0, "Unknown", 30, true, false}),
                         [](const auto& param) {
                             return test::CaseName(std::string(param.param.version) + " " +
                                                   std::to_string(param.param.size));
                         });

class GameVersionTest : public test::SessionFixture {};

TEST_F(GameVersionTest, TheTrialIsFoundUnderItsOwnName) {
    game.WriteSized("monsterx.exe", 2918400);
    DetectGameVersion(session);
    EXPECT_EQ(session.GameVersion, "MTM2 Trial");
    EXPECT_EQ(session.GameExeName, "monsterx.exe");
    EXPECT_EQ(session.GameExePath, game.Folder() + "\\monsterx.exe");
}

TEST_F(GameVersionTest, MonsterExeIsMeasuredWhenBothExist) {
    game.WriteSized("monster.exe", 123);
    game.WriteSized("monsterx.exe", 2918400);
    DetectGameVersion(session);
    EXPECT_EQ(session.GameVersion, "Unknown");
    EXPECT_EQ(session.GameExeName, "monster.exe");
}

TEST_F(GameVersionTest, NoExecutableNamesTheTrialAndDisablesTheGameCommands) {
    DetectGameVersion(session);
    EXPECT_EQ(session.GameVersion, "Unknown");
    EXPECT_EQ(session.GameExePath, game.Folder() + "\\monsterx.exe");
    EXPECT_FALSE(session.controls.Enabled("commFile_0"));
}

TEST_F(GameVersionTest, AFolderNamedLikeTheGameIsNoGame) {
    game.MakeFolder("monster.exe");
    game.WriteSized("monsterx.exe", 2918400);
    DetectGameVersion(session);
    EXPECT_EQ(session.GameVersion, "MTM2 Trial");
}

TEST_F(GameVersionTest, WithoutMonsterIniTheFontsCommandsAreDisabled) {
    game.WriteSized("monster.exe", 2925568);
    DetectGameVersion(session);
    EXPECT_EQ(session.GameVersion, "MTM2 Patched");
    EXPECT_FALSE(session.controls.Enabled("menuPrefs_2"));
    EXPECT_FALSE(session.controls.Enabled("toolbar_9"));
}

}  // namespace
}  // namespace marvok
