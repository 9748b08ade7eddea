// Marvok's Explorer verbs on .ini files and the K-vex utilities: the keys and default values
// they write, what removal leaves, and the counts the user is told.

#include <gtest/gtest.h>

#include "RecordingRegistry.h"
#include "registry/mMyRegStuff.h"
#include "registry/mRegStuff.h"
#include "support/SessionFixture.h"

namespace marvok::test {
namespace {

using Write = RecordingRegistry::Write;
constexpr std::uint32_t kClasses = platform::kHkeyClassesRoot;
constexpr std::uint32_t kUser = platform::kHkeyCurrentUser;

const mMyRegStuff::ProgramLocation kProgram{
    "C:\\Program Files\\Microsoft Games\\Monster Truck Madness 2", "Marvok.exe"};

class ShellVerbsTest : public SessionFixture {
  protected:
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& message : ui.messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

    RecordingRegistry registry;
};

TEST_F(ShellVerbsTest, RegisteringWritesTheSixDefaultValues) {
    EXPECT_EQ(mMyRegStuff::RegisterShellVerbs(session, registry, kProgram), 6);
    const std::string exe =
        "\"C:\\Program Files\\Microsoft Games\\Monster Truck Madness 2\\Marvok.exe\"";
    const std::vector<Write> expected = {
        {kClasses, "inifile\\shell\\marvokO", "", "MARVOK - open with"},
        {kClasses, "inifile\\shell\\marvokI", "", "MARVOK - install as pod.ini"},
        {kClasses, "inifile\\shell\\marvokD", "", "MARVOK - send to desktop"},
        {kClasses, "inifile\\shell\\marvokO\\command", "", exe + " /open %1"},
        {kClasses, "inifile\\shell\\marvokI\\command", "", exe + " /install %1"},
        {kClasses, "inifile\\shell\\marvokD\\command", "", exe + " /desktop %1"},
    };
    EXPECT_EQ(registry.writes, expected);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Registered 6 of 6");
    EXPECT_EQ(ui.messages[0].title, "Marvok");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    // HKEY_CLASSES_ROOT is written where Explorer reads it.
    EXPECT_NE(registry.File("system.reg")
                  .find("[Software\\\\Classes\\\\inifile\\\\shell\\\\marvokO\\\\command] "),
              std::string::npos);

    // Registering again writes the same six values again.
    registry.writes.clear();
    EXPECT_EQ(mMyRegStuff::RegisterShellVerbs(session, registry, kProgram), 6);
    EXPECT_EQ(registry.writes, expected);
}

TEST_F(ShellVerbsTest, CommandLinesNameTheProgramThatRegisteredThem) {
    struct Case {
        mMyRegStuff::ProgramLocation program;
        const char* op;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {{"C:\\Games\\MTM2", "Marvok.exe"}, "open", "\"C:\\Games\\MTM2\\Marvok.exe\" /open %1"},
        {{"C:\\Games\\MTM2", "marvok"}, "install", "\"C:\\Games\\MTM2\\marvok.exe\" /install %1"},
        {{"C:\\Games\\MTM2", "Marvok.bin"},
         "desktop",
         "\"C:\\Games\\MTM2\\Marvok.exe\" /desktop %1"},
        {{"C:\\", "Marvok.exe"}, "open", "\"C:\\Marvok.exe\" /open %1"},
        // A Linux program, which Wine starts by its own name: the list's path in quotes, since
        // Wine splits the arguments at blanks before they reach it.
        {{"/home/me/.wine/drive_c/MTM2", "marvok", false},
         "install",
         "\"C:\\MTM2\\marvok\" /install \"%1\""},
        {{"/home/me/.wine/drive_c/MTM2", "marvok.bin", false},
         "open",
         "\"C:\\MTM2\\marvok.bin\" /open \"%1\""},
    };
    registry.folders["/home/me/.wine/drive_c/MTM2"] = "C:\\MTM2";
    for (const auto& c : cases) {
        EXPECT_EQ(mMyRegStuff::VerbCommandLine(registry, c.program, c.op), c.expected);
    }
}

TEST_F(ShellVerbsTest, RemovingAfterRegisteringTakesAllSix) {
    mRegStuff::WriteValue(registry, ui, mRegStuff::kHkeyClassesRoot, "inifile\\shell\\open", "",
                          "&Open");
    mMyRegStuff::RegisterShellVerbs(session, registry, kProgram);
    ui.messages.clear();
    EXPECT_EQ(mMyRegStuff::RemoveShellVerbs(session, registry), 6);
    EXPECT_EQ(Messages(), std::vector<std::string>{"removed 6 of 6"});
    EXPECT_EQ(registry.deleted, (std::vector<std::string>{
                                    "inifile\\shell\\marvokO\\command",
                                    "inifile\\shell\\marvokI\\command",
                                    "inifile\\shell\\marvokD\\command",
                                    "inifile\\shell\\marvokO",
                                    "inifile\\shell\\marvokI",
                                    "inifile\\shell\\marvokD",
                                }));
    EXPECT_TRUE(registry.KeyExists(kClasses, "inifile\\shell\\open"));
    EXPECT_FALSE(registry.KeyExists(kClasses, "inifile\\shell\\marvokO"));
}

TEST_F(ShellVerbsTest, RemovingVerbsNeverRegisteredCountsThree) {
    // Each missing verb key is created to look below it, then deleted again.
    EXPECT_EQ(mMyRegStuff::RemoveShellVerbs(session, registry), 3);
    EXPECT_EQ(Messages(), std::vector<std::string>{"removed 3 of 6"});
    EXPECT_TRUE(registry.KeyExists(kClasses, "inifile\\shell"));
    for (const char* verb : {"marvokO", "marvokI", "marvokD"}) {
        EXPECT_FALSE(registry.KeyExists(kClasses, std::string("inifile\\shell\\") + verb));
    }
}

TEST_F(ShellVerbsTest, NothingIsTouchedWhileTheRegistryIsInUse) {
    registry.blocked = "Close Wine first.";
    EXPECT_EQ(mMyRegStuff::RegisterShellVerbs(session, registry, kProgram), 0);
    EXPECT_EQ(mMyRegStuff::RemoveShellVerbs(session, registry), 0);
    mMyRegStuff::ClearKvexStartup(session, registry);
    mMyRegStuff::ResetKvexPosition(session, registry);
    EXPECT_EQ(Messages(), std::vector<std::string>(4, "Close Wine first."));
    EXPECT_TRUE(registry.writes.empty());
    EXPECT_FALSE(registry.KeyExists(kClasses, "inifile"));
}

TEST_F(ShellVerbsTest, KvexStartupIsClearedAndReset) {
    const std::string kvex = "Software\\VB and VBA Program Settings\\K-VEX.1.0.56";
    mMyRegStuff::ClearKvexStartup(session, registry);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Not done or nothing to delete."});
    EXPECT_TRUE(registry.KeyExists(kUser, kvex));

    mMyRegStuff::ResetKvexPosition(session, registry);
    EXPECT_EQ(registry.writes, (std::vector<Write>{{kUser, kvex + "\\Startup", "Left", "0"},
                                                   {kUser, kvex + "\\Startup", "Top", "0"}}));
    EXPECT_EQ(ui.messages.size(), 1u);  // no message on success
    EXPECT_NE(registry.File("user.reg").find("K-VEX.1.0.56\\\\Startup] "), std::string::npos);

    ui.messages.clear();
    mMyRegStuff::ClearKvexStartup(session, registry);
    EXPECT_EQ(Messages(), std::vector<std::string>{"K-vex key deleted!"});
    EXPECT_FALSE(registry.KeyExists(kUser, kvex + "\\Startup"));
}

}  // namespace
}  // namespace marvok::test
