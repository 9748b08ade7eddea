// The Explorer verb "install as pod.ini" registered by the Linux program, chosen under Wine as
// Explorer chooses it (the shell's ShellExecute with the verb): the list must be installed, also
// from a folder whose name holds two blanks in a row.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "GameCopy.h"
#include "common/Session.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "registry/mMyRegStuff.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"

namespace marvok::test {
namespace {

using namespace marvok::cli;

// The prefix is made once (wineboot takes a while) and kept beside the build.
const fs::path kPrefix = MARVOK_VERB_PREFIX;

int Wine(const std::string& command) {
    const std::string full = "cd / && env -u DISPLAY -u WAYLAND_DISPLAY WINEDEBUG=-all WINEARCH=win64"
                             " WINEDLLOVERRIDES='mscoree,mshtml=' WINEPREFIX='" +
                             kPrefix.string() + "' XDG_CONFIG_HOME='" +
                             (kPrefix / "marvok-config").string() + "' " + command +
                             " >/dev/null 2>&1";
    return std::system(full.c_str());
}

struct VerbCase {
    const char* name;
    const char* listFolder;  // below C:\ of the prefix
};

void PrintTo(const VerbCase& c, std::ostream* os) { *os << c.name; }

class ShellVerbUnderWine : public ::testing::TestWithParam<VerbCase> {
protected:
    void SetUp() override {
        if (std::system("command -v wine >/dev/null 2>&1 && command -v wineserver >/dev/null") != 0) {
            GTEST_SKIP() << "Wine is not installed";
        }
        if (!fs::exists(kPrefix / ".marvok-ready")) {
            ASSERT_EQ(Wine("wineboot --init"), 0);
            ASSERT_EQ(Wine("wineserver -w"), 0);
            std::ofstream(kPrefix / ".marvok-ready").close();
        }
        Wine("wineserver -k");  // Marvok leaves a prefix alone while its server runs
        game_ = kPrefix / "drive_c" / "Games" / "Monster Truck Madness 2";
        fs::remove_all(game_);
        MakeGame(game_, "marvok");
    }
    void TearDown() override {
        if (!game_.empty()) {
            Wine("wineserver -k");
            fs::remove_all(game_);
        }
    }

    fs::path game_;
};

TEST_P(ShellVerbUnderWine, InstallsTheListTheVerbWasChosenOn) {
    const std::string folder = GetParam().listFolder;
    fs::remove_all(kPrefix / "drive_c" / folder);
    const std::string list = "2\r\nb.pod\r\nFixes\\c.pod\r\n";
    Write(kPrefix / "drive_c" / folder / "race.ini", list);
    {
        // Registered by the Linux program itself, into the prefix's registry.
        auto files = platform::CreateFileSystem(game_.string());
        MemorySettingsStore settings;
        FakeUserInterface ui;
        Session session(*files, settings, ui);
        SetGamePaths(session, game_.string());
        auto registry = platform::CreateRegistry(game_.string());
        ASSERT_EQ(mMyRegStuff::RegisterShellVerbs(session, *registry,
                                                  {game_.string(), "marvok", false}),
                  6);
    }
    // What Explorer does with the verb: ShellExecute on the file, by the verb's name.
    Write(kPrefix / "drive_c" / "verb.vbs",
          "CreateObject(\"Shell.Application\").ShellExecute WScript.Arguments(0), \"\", \"\", "
          "WScript.Arguments(1), 1\r\n");
    ASSERT_EQ(Wine("wine wscript.exe 'C:\\verb.vbs' 'C:\\" + folder + "\\race.ini' marvokI"), 0);
    // The verb starts Marvok and returns; wait for Marvok to finish installing.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Read(game_ / "pod.ini") != list && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_EQ(Read(game_ / "pod.ini"), list);
    fs::remove_all(kPrefix / "drive_c" / folder);
}

INSTANTIATE_TEST_SUITE_P(Lists, ShellVerbUnderWine,
                         ::testing::Values(VerbCase{"InAPlainFolder", "Lists"},
                                           VerbCase{"InAFolderWithTwoBlanks", "Pod  Lists"}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace marvok::test
