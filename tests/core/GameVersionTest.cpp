#include <gtest/gtest.h>

#include "podlist/mCommonFunctions.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using podlist::mCommonFunctions::DetectGameVersion;

class GameVersionTest : public test::SessionFixture {
protected:
    // The edition, its limit, the executable, and which commands it leaves enabled (detection
    // runs once, at start-up, and only disables).
    std::string Detected() {
        const char* const controls[] = {"menuReset",  "toolbar_7",   "menuPrefs_1", "menuFile_5",
                                        "commFile_0", "menuPrefs_2", "toolbar_9"};
        for (auto c : controls) {
            session.controls.SetEnabled(c, true);
        }
        DetectGameVersion(session);
        std::string enabled;
        for (auto c : controls) {
            enabled += session.controls.Enabled(c) ? "1" : "0";
        }
        return session.GameVersion + " " + std::to_string(session.PodLimit) + " " +
               session.GameExeName + " " + enabled;
    }
};

TEST_F(GameVersionTest, TheSizeOfTheExecutableTellsTheEdition) {
    game.Write("system\\Monster.ini", "[Fonts]\r\n");
    const std::pair<std::uintmax_t, const char*> editions[] = {
        {2920448, "MTM2 Unpatched 30 monster.exe 1111111"},
        {2925568, "MTM2 Patched 100 monster.exe 1111111"},
        {2918400, "MTM2 Trial 30 monster.exe 1111111"},
        {3109888, "MTM1 Unpatched 30 monster.exe 0111111"},
        {2455552, "MTM1 Patched 30 monster.exe 0111111"},
        {2925567, "Unknown 30 monster.exe 1000011"},
        {2925569, "Unknown 30 monster.exe 1000011"}};
    for (const auto& [size, detected] : editions) {
        game.WriteSized("monster.exe", size);
        EXPECT_EQ(Detected(), detected) << size;
    }
}

TEST_F(GameVersionTest, TheTrialIsFoundUnderItsOwnNameWhenMonsterExeIsNone) {
    // Without any executable the trial's name is kept and the game commands are off.
    EXPECT_EQ(Detected(), "Unknown 30 monsterx.exe 1000000");
    EXPECT_EQ(session.GameExePath, game.Folder() + "\\monsterx.exe");
    game.WriteSized("monsterx.exe", 2918400);
    game.MakeFolder("monster.exe");  // a folder named like the game is no game
    EXPECT_EQ(Detected(), "MTM2 Trial 30 monsterx.exe 1111100");  // no Monster.ini: no fonts
    EXPECT_EQ(session.GameExePath, game.Folder() + "\\monsterx.exe");
    std::filesystem::remove(game.Native("monster.exe"));
    game.WriteSized("monster.exe", 123);  // measured when both exist
    EXPECT_EQ(Detected(), "Unknown 30 monster.exe 1000000");
}

}  // namespace
}  // namespace marvok
