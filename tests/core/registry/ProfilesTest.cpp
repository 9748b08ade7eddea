// The game's registry profiles: exactly which keys, names and data a reset writes, in which
// order, and what the registry window is given to show for each game version.

#include <gtest/gtest.h>

#include "RecordingRegistry.h"
#include "registry/mMyRegStuff.h"
#include "registry/mRegStuff.h"
#include "support/SessionFixture.h"

namespace marvok::test {
namespace {

using Write = RecordingRegistry::Write;
constexpr std::uint32_t kMachine = platform::kHkeyLocalMachine;

const std::string kGame2 = "SOFTWARE\\Microsoft\\Microsoft Games\\Monster Truck Madness\\2.0";
const std::string kGame1 = "SOFTWARE\\Microsoft\\Monster Truck Madness\\1.0";
const std::string kGameTrial =
    "SOFTWARE\\Microsoft\\Microsoft Games\\Monster Truck Madness\\2.00Trial";
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

    RecordingRegistry registry;
};

struct ProfileCase {
    const char* profile;
    const char* folder;
    const char* exeName;
    std::vector<Write> expected;
};

TEST_F(ProfilesTest, ResetWritesEveryValueOfTheProfileInOrder) {
    const std::string u2 = kUninstall + "Monster Truck Madness 2.0";
    const std::string u1 = kUninstall + "Monster Truck Madness";
    const std::string uT = kUninstall + "Monster Truck Madness 2.00Trial";
    const std::string d2 = kDirectPlay + "Monster Truck Madness 2";
    const std::string dT = kDirectPlay + "Monster Truck Madness 2 Trial";
    const std::vector<ProfileCase> cases = {
        {"mtm2",
         "C:\\Games\\MTM2",
         "monster.exe",
         {{kMachine, kGame2, "Version", "2.0"},
          {kMachine, kGame2, "Launched", "1"},
          {kMachine, kGame2, "InstalledPath", "C:\\Games\\MTM2"},
          {kMachine, kGame2, "VersionType", "RetailVersion"},
          {kMachine, kGame2, "InstalledGroup", "1"},
          {kMachine, u2, "DisplayName", "Microsoft Monster Truck Madness 2"},
          {kMachine, u2, "UninstallString", "C:\\Games\\MTM2\\UNINSTAL.EXE"},
          {kMachine, d2, "Guid", "{6cd1c6e0-96fb-11d1-a268-00a02f29c995}"},
          {kMachine, d2, "File", "monster.exe"},
          {kMachine, d2, "CommandLine", " "},
          {kMachine, d2, "CurrentDirectory", "C:\\Games\\MTM2"},
          {kMachine, d2, "Path", "C:\\Games\\MTM2"}}},
        {"mtm1",
         "D:\\Old Games\\MTM",
         "monsterx.exe",
         {{kMachine, kGame1, "Path", "D:\\Old Games\\MTM\\monsterx.exe"},
          {kMachine, kGame1, "InstalledTo", "D:\\Old Games\\MTM"},
          {kMachine, kGame1, "Version", "1.0"},
          {kMachine, kGame1, "Name", "DriverX"},
          {kMachine, kGame1, "Organization", " "},
          {kMachine, u1, "DisplayName", "Microsoft Monster Truck Madness"},
          {kMachine, u1, "UninstallString",
           "D:\\Old Games\\MTM\\setup\\setup.exe /Z customui.dll"}}},
        {"trial",
         "C:\\Trial",
         "monsterx.exe",
         {{kMachine, kGameTrial, "InstallType", "1"},
          {kMachine, kGameTrial, "InstallationDirectory", "C:\\Trial"},
          {kMachine, kGameTrial, "Launched", "1"},
          {kMachine, kGameTrial, "Path", "C:\\Trial"},
          {kMachine, kGameTrial, "VersionType", "TrialVersion"},
          {kMachine, kGameTrial, "InstalledGroup", "1"},
          {kMachine, uT, "DisplayName", "Microsoft Monster Truck Madness 2 Trial"},
          {kMachine, uT, "UninstallString", "C:\\Trial\\UNINSTAL.EXE"},
          {kMachine, dT, "Guid", "{6cd1c6e0-96fb-11d1-a268-00a02f29c996}"},
          {kMachine, dT, "File", "monsterx.exe"},
          {kMachine, dT, "CommandLine", " "},
          {kMachine, dT, "CurrentDirectory", "C:\\Trial"},
          {kMachine, dT, "Path", "C:\\Trial"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        registry.writes.clear();
        Game(c.folder, c.exeName);
        EXPECT_TRUE(mMyRegStuff::ResetAs(session, registry, c.profile));
        EXPECT_EQ(registry.writes, c.expected);
    }
    EXPECT_TRUE(ui.messages.empty());
    // No DirectPlay entry exists for the first game.
    EXPECT_FALSE(registry.KeyExists(kMachine, kDirectPlay + "Monster Truck Madness"));
}

TEST_F(ProfilesTest, PathsAreWrittenAsTheGameSeesThem) {
    registry.folders["/home/player/.wine/drive_c/Games/MTM"] = "C:\\Games\\MTM";
    Game("/home/player/.wine/drive_c/Games/MTM", "monster.exe");
    ASSERT_TRUE(mMyRegStuff::ResetAs(session, registry, "mtm1"));
    ASSERT_EQ(registry.writes.size(), 7u);
    EXPECT_EQ(registry.writes[0].data, "C:\\Games\\MTM\\monster.exe");
    EXPECT_EQ(registry.writes[1].data, "C:\\Games\\MTM");
    EXPECT_EQ(registry.writes[6].data, "C:\\Games\\MTM\\setup\\setup.exe /Z customui.dll");
    for (const auto& write : registry.writes) {
        EXPECT_EQ(write.data.find("/home"), std::string::npos) << write.data;
    }
}

TEST_F(ProfilesTest, ResetOverwritesItsValuesAndKeepsOthers) {
    Game("C:\\New", "monster.exe");
    mMyRegStuff::WriteValueList(registry, ui, "-2147483646", kGame2, {"InstalledPath", "Extra"},
                                {"C:\\Old", "kept"}, 2);
    ASSERT_TRUE(mMyRegStuff::ResetAs(session, registry, "mtm2"));
    EXPECT_EQ(mRegStuff::ReadValue(registry, ui, kGame2, "InstalledPath"), "C:\\New");
    EXPECT_EQ(mRegStuff::ReadValue(registry, ui, kGame2, "Extra"), "kept");
}

TEST_F(ProfilesTest, OnlyTheThreeLowerCaseCodesAreProfiles) {
    Game("C:\\Games\\MTM2", "monster.exe");
    for (const char* code : {"MTM2", "Trial", "mtm3", ""}) {
        EXPECT_TRUE(mMyRegStuff::ResetAs(session, registry, code));
    }
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(ProfilesTest, NothingIsWrittenWhileTheRegistryIsInUse) {
    Game("C:\\Games\\MTM2", "monster.exe");
    registry.blocked = "Wine is running; close the game and Wine first.";
    EXPECT_FALSE(mMyRegStuff::ResetAs(session, registry, "mtm2"));
    EXPECT_TRUE(registry.writes.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, registry.blocked);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(ProfilesTest, ShowsTheKeysOfAnMtm2Game) {
    Game("C:\\Games\\MTM2", "monster.exe", "MTM2 Unpatched");
    ASSERT_TRUE(mMyRegStuff::ResetAs(session, registry, "mtm2"));
    mMyRegStuff::RegistryDisplay display;
    display.uLabel[1] = "left over";
    mMyRegStuff::ShowGameRegistry(session, registry, display);
    EXPECT_EQ(display.caption, "Registry Values for MTM2 Unpatched");
    EXPECT_EQ(display.frameCaption, "MTM2 Unpatched");
    // The registry's enumeration order: Wine's, by name ignoring case.
    EXPECT_EQ(display.mLabel,
              (std::array<std::string, 7>{"InstalledGroup", "InstalledPath", "Launched", "Version",
                                          "VersionType", "", ""}));
    EXPECT_EQ(display.mValue, (std::array<std::string, 7>{"1", "C:\\Games\\MTM2", "1", "2.0",
                                                          "RetailVersion", "", ""}));
    EXPECT_EQ(display.dpLabel, (std::array<std::string, 5>{"CommandLine", "CurrentDirectory",
                                                           "File", "Guid", "Path"}));
    EXPECT_EQ(display.dpValue[0], " ");
    EXPECT_EQ(display.dpValue[2], "monster.exe");
    EXPECT_EQ(display.uLabel, (std::array<std::string, 2>{"DisplayName", "UninstallString"}));
    EXPECT_EQ(display.uValue[1], "C:\\Games\\MTM2\\UNINSTAL.EXE");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProfilesTest, ShowingAnMtm1GameReadsNoDirectPlayKey) {
    Game("C:\\MTM", "monster.exe", "MTM1 Patched");
    mMyRegStuff::RegistryDisplay display;
    display.dpLabel[0] = "stale";
    mMyRegStuff::ShowGameRegistry(session, registry, display);
    EXPECT_EQ(display.caption, "Registry Values for MTM1 Patched");
    // Each box says why it is empty.
    EXPECT_EQ(display.mLabel[0], "not registered");
    EXPECT_EQ(display.mValue[0], "");
    EXPECT_EQ(display.uLabel[0], "not registered");
    EXPECT_EQ(display.dpLabel[0], "none for this edition");
    // Looking creates nothing: the missing keys read as empty; DirectPlay is not even looked at.
    EXPECT_FALSE(registry.KeyExists(kMachine, kGame1));
    EXPECT_FALSE(registry.KeyExists(kMachine, kUninstall + "Monster Truck Madness"));
    EXPECT_FALSE(registry.KeyExists(kMachine, "SOFTWARE\\Microsoft\\DirectPlay"));
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProfilesTest, AFrameShowsOnlyTheRowsItHas) {
    Game("C:\\Trial", "monsterx.exe", "MTM2 Trial");
    std::vector<std::string> names;
    for (char c = 'a'; c <= 'h'; ++c) {
        names.emplace_back(1, c);
    }
    mMyRegStuff::WriteValueList(registry, ui, "-2147483646", kGameTrial, names, names, 8);
    mMyRegStuff::RegistryDisplay display;
    mMyRegStuff::ShowGameRegistry(session, registry, display);
    EXPECT_EQ(display.mLabel.back(), "g");
    EXPECT_EQ(display.mValue.back(), "g");
    EXPECT_EQ(display.frameCaption, "MTM2 Trial");
}

TEST_F(ProfilesTest, ResetItemsFollowTheGameVersion) {
    struct Case {
        const char* version;
        std::array<bool, 3> fromOn;   // starting with every item enabled
        std::array<bool, 3> fromOff;  // starting with every item disabled
    };
    const std::vector<Case> cases = {
        {"MTM2 Unpatched", {false, true, false}, {false, true, false}},
        {"MTM2 Patched", {false, true, false}, {false, true, false}},
        {"MTM1 Unpatched", {true, false, false}, {true, false, false}},
        {"MTM1 Patched", {true, false, false}, {true, false, false}},
        {"MTM2 Trial", {false, true, true}, {false, true, true}},
        {"Unknown", {true, true, true}, {false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        session.GameVersion = c.version;
        for (bool start : {true, false}) {
            Controls controls;
            for (int i = 1; i <= 3; ++i) {
                controls.SetEnabled(ControlName("menuRegistry", i), start);
            }
            mMyRegStuff::EnableResetItems(session, controls);
            const auto& expected = start ? c.fromOn : c.fromOff;
            for (int i = 1; i <= 3; ++i) {
                EXPECT_EQ(controls.Enabled(ControlName("menuRegistry", i)),
                          expected[static_cast<std::size_t>(i - 1)])
                    << i;
            }
        }
    }
}

}  // namespace
}  // namespace marvok::test
