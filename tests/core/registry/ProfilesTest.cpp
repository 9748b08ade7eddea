// The game's registry profiles: exactly which keys, names and data a reset writes, and what the
// registry window is given to show for each game version.

#include <gtest/gtest.h>

#include "RegistrySandbox.h"
#include "registry/mMyRegStuff.h"
#include "registry/mRegStuff.h"
#include "support/SessionFixture.h"

namespace marvok::test {
namespace {

using Values = std::set<std::string>;
constexpr std::uint32_t kMachine = platform::kHkeyLocalMachine;
constexpr auto kMachineCode = mRegStuff::kHkeyLocalMachine;
const std::string kGame2 = "SOFTWARE\\Microsoft\\Microsoft Games\\Monster Truck Madness\\2.0";
const std::string kGame1 = "SOFTWARE\\Microsoft\\Monster Truck Madness\\1.0";
const std::string kTrial = "SOFTWARE\\Microsoft\\Microsoft Games\\Monster Truck Madness\\2.00Trial";
const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kDirectPlay = "SOFTWARE\\Microsoft\\DirectPlay\\Applications\\";

class ProfilesTest : public SessionFixture {
  protected:
    void Game(std::string folder, std::string exeName, std::string version = "MTM2 Patched") {
        session.GameFolder = std::move(folder);
        session.GameExeName = std::move(exeName);
        session.GameExePath = session.GameFolder + "\\" + session.GameExeName;
        session.GameVersion = std::move(version);
    }

    GameRegistry files;
    FileRegistry& registry = files.store;
};

TEST_F(ProfilesTest, ResetWritesEveryValueOfTheProfile) {
    const std::string u2 = kUninstall + "Monster Truck Madness 2.0|";
    const std::string u1 = kUninstall + "Monster Truck Madness|";
    const std::string uT = kUninstall + "Monster Truck Madness 2.00Trial|";
    const std::string d2 = kDirectPlay + "Monster Truck Madness 2|";
    const std::string dT = kDirectPlay + "Monster Truck Madness 2 Trial|";
    const std::string g2 = kGame2 + "|", g1 = kGame1 + "|", gT = kTrial + "|";
    const struct {
        const char* profile;
        const char* folder;
        const char* exeName;
        Values expected;
    } cases[] = {
        {"mtm2", "C:\\Games\\MTM2", "monster.exe",
         {g2 + "Version=2.0", g2 + "Launched=1", g2 + "InstalledPath=C:\\Games\\MTM2",
          g2 + "VersionType=RetailVersion", g2 + "InstalledGroup=1",
          u2 + "DisplayName=Microsoft Monster Truck Madness 2",
          u2 + "UninstallString=C:\\Games\\MTM2\\UNINSTAL.EXE",
          d2 + "Guid={6cd1c6e0-96fb-11d1-a268-00a02f29c995}", d2 + "File=monster.exe",
          d2 + "CommandLine= ", d2 + "CurrentDirectory=C:\\Games\\MTM2",
          d2 + "Path=C:\\Games\\MTM2"}},
        // Paths as the game sees them, not as a Linux Marvok does; no DirectPlay entry.
        {"mtm1", "/home/player/.wine/drive_c/Old Games/MTM", "monsterx.exe",
         {g1 + "Path=D:\\Old Games\\MTM\\monsterx.exe", g1 + "InstalledTo=D:\\Old Games\\MTM",
          g1 + "Version=1.0", g1 + "Name=DriverX", g1 + "Organization= ",
          u1 + "DisplayName=Microsoft Monster Truck Madness",
          u1 + "UninstallString=D:\\Old Games\\MTM\\setup\\setup.exe /Z customui.dll"}},
        {"trial", "C:\\Trial", "monsterx.exe",
         {gT + "InstallType=1", gT + "InstallationDirectory=C:\\Trial", gT + "Launched=1",
          gT + "Path=C:\\Trial", gT + "VersionType=TrialVersion", gT + "InstalledGroup=1",
          uT + "DisplayName=Microsoft Monster Truck Madness 2 Trial",
          uT + "UninstallString=C:\\Trial\\UNINSTAL.EXE",
          dT + "Guid={6cd1c6e0-96fb-11d1-a268-00a02f29c996}", dT + "File=monsterx.exe",
          dT + "CommandLine= ", dT + "CurrentDirectory=C:\\Trial", dT + "Path=C:\\Trial"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        GameRegistry fresh;
        fresh.folders["/home/player/.wine/drive_c/Old Games/MTM"] = "D:\\Old Games\\MTM";
        Game(c.folder, c.exeName);
        EXPECT_TRUE(mMyRegStuff::ResetAs(session, fresh.store, c.profile));
        EXPECT_EQ(Dump(fresh.store, kMachine, ""), c.expected);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProfilesTest, ResetOverwritesItsValuesKeepsOthersAndKnowsOnlyThreeCodes) {
    Game("C:\\New", "monster.exe");
    for (const char* code : {"MTM2", "Trial", "mtm3", ""}) {
        EXPECT_TRUE(mMyRegStuff::ResetAs(session, registry, code));
    }
    EXPECT_EQ(Dump(registry, kMachine, ""), Values{});
    mMyRegStuff::WriteValueList(registry, ui, kMachineCode, kGame2, {"InstalledPath", "Extra"},
                                {"C:\\Old", "kept"}, 2);
    ASSERT_TRUE(mMyRegStuff::ResetAs(session, registry, "mtm2"));
    EXPECT_EQ(mRegStuff::ReadValue(registry, ui, kGame2, "InstalledPath"), "C:\\New");
    EXPECT_EQ(mRegStuff::ReadValue(registry, ui, kGame2, "Extra"), "kept");
}

TEST_F(ProfilesTest, ShowsTheKeysOfAnMtm2Game) {
    Game("C:\\Games\\MTM2", "monster.exe", "MTM2 Unpatched");
    ASSERT_TRUE(mMyRegStuff::ResetAs(session, registry, "mtm2"));
    mMyRegStuff::RegistryDisplay display;
    display.uLabel[1] = "left over";
    // The key's default value is a row too, with no name.
    mRegStuff::WriteValue(registry, ui, kMachineCode, kGame2, "", "the default");
    mMyRegStuff::ShowGameRegistry(session, registry, display);
    // The registry's enumeration order: Wine's, by name ignoring case.
    using Seven = std::array<std::string, 7>;
    EXPECT_EQ(display.mLabel, (Seven{"", "InstalledGroup", "InstalledPath", "Launched", "Version",
                                     "VersionType", ""}));
    EXPECT_EQ(display.mValue,
              (Seven{"the default", "1", "C:\\Games\\MTM2", "1", "2.0", "RetailVersion", ""}));
    EXPECT_EQ(display.dpLabel, (std::array<std::string, 5>{"CommandLine", "CurrentDirectory",
                                                           "File", "Guid", "Path"}));
    EXPECT_EQ(display.dpValue[0], " ");
    EXPECT_EQ(display.dpValue[2], "monster.exe");
    EXPECT_EQ(display.uLabel, (std::array<std::string, 2>{"DisplayName", "UninstallString"}));
    EXPECT_EQ(display.uValue[1], "C:\\Games\\MTM2\\UNINSTAL.EXE");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProfilesTest, AFrameShowsOnlyTheRowsItHas) {
    Game("C:\\Trial", "monsterx.exe", "MTM2 Trial");
    const std::vector<std::string> names = {"a", "b", "c", "d", "e", "f", "g", "h"};
    mMyRegStuff::WriteValueList(registry, ui, kMachineCode, kTrial, names, names, 8);
    mMyRegStuff::RegistryDisplay display;
    mMyRegStuff::ShowGameRegistry(session, registry, display);
    EXPECT_EQ(display.mLabel.back(), "g");
    EXPECT_EQ(display.mValue.back(), "g");
    EXPECT_EQ(display.frameCaption, "MTM2 Trial");
}

// Menu items 1 to 3 (mtm1, mtm2, trial); an unknown version leaves them as they were.
TEST_F(ProfilesTest, ResetItemsFollowTheGameVersion) {
    const std::pair<const char*, std::string> cases[] = {
        {"MTM2 Unpatched", "010"}, {"MTM2 Patched", "010"}, {"MTM1 Unpatched", "100"},
        {"MTM1 Patched", "100"},   {"MTM2 Trial", "011"},   {"Unknown", ""}};
    for (const auto& [version, enabled] : cases) {
        session.GameVersion = version;
        for (bool start : {true, false}) {
            SCOPED_TRACE(std::string(version) + (start ? " from on" : " from off"));
            Controls controls;
            std::string after;
            for (int i = 1; i <= 3; ++i) {
                controls.SetEnabled(ControlName("menuRegistry", i), start);
            }
            mMyRegStuff::EnableResetItems(session, controls);
            for (int i = 1; i <= 3; ++i) {
                after += controls.Enabled(ControlName("menuRegistry", i)) ? '1' : '0';
            }
            EXPECT_EQ(after, enabled.empty() ? std::string(3, start ? '1' : '0') : enabled);
        }
    }
}

}  // namespace
}  // namespace marvok::test
