// The registry of a game inside a Wine prefix: the prefix's own files, in the 32-bit view, with
// paths as Wine's programs see them, and never written while Wine runs on them.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/posix/WineServer.h"
#include "registry/mMyRegStuff.h"
#include "registry/mRegStuff.h"
#include "support/SessionFixture.h"

namespace marvok::test {
namespace {

namespace fs = std::filesystem;

const std::string kSystemReg =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
    "[Software\\\\Wow6432Node] 1\n#time=1\n\"Kept\"=\"yes\"\n";
const std::string kInstalledPath = "\"InstalledPath\"=\"C:\\\\Games\\\\Monster Truck Madness 2\"\n";

// A socket where the prefix's wineserver would listen; not listening, it is what a crashed
// server leaves: the socket file alone.
class FakeWineServer {
  public:
    FakeWineServer(const std::string& prefix, bool listening)
        : path_(platform::WineServerSockets(prefix).at(0)), folder_(fs::path(path_).parent_path()),
          createdFolder_(fs::create_directories(folder_)), fd_(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(listening ? listen(fd_, 1) : close(fd_), 0);
        fd_ = listening ? fd_ : -1;
    }
    ~FakeWineServer() {
        if (fd_ >= 0) {
            close(fd_);
        }
        unlink(path_.c_str());
        if (createdFolder_) {
            fs::remove(folder_);
        }
    }

  private:
    std::string path_;
    fs::path folder_;
    bool createdFolder_;
    int fd_;
};

// Sets an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class WinePrefixRegistryTest : public SessionFixture {
  protected:
    WinePrefixRegistryTest() {
        game.Write("prefix\\system.reg", kSystemReg);
        game.MakeFolder("prefix\\drive_c\\Games\\Monster Truck Madness 2");
        game.MakeFolder("prefix\\dosdevices");
        fs::create_directory_symlink("../drive_c", game.Native("prefix\\dosdevices\\c:"));
        session.GameFolder = game.Native("prefix\\drive_c\\Games\\Monster Truck Madness 2");
        session.GameExeName = "monster.exe";
        session.GameVersion = "MTM2 Patched";
        registry = platform::CreateRegistry(session.GameFolder);
    }
    std::string SystemReg() const { return game.Read("prefix\\system.reg"); }

    const std::string prefix = game.Native("prefix").string();
    std::unique_ptr<platform::Registry> registry;
};

TEST_F(WinePrefixRegistryTest, NothingIsWrittenWhileWineRuns) {
    {
        FakeWineServer stale(prefix, false);
        EXPECT_EQ(registry->WriteBlocked(), "");
    }
    {
        FakeWineServer server(prefix, true);
        EXPECT_NE(registry->WriteBlocked().find("Close the game"), std::string::npos);
        // The store itself refuses the write, whoever asks for it.
        EXPECT_FALSE(mRegStuff::WriteValue(*registry, ui, mRegStuff::kHkeyLocalMachine,
                                           "Software\\X", "v", "x"));
        EXPECT_EQ(SystemReg(), kSystemReg);
    }
    EXPECT_EQ(registry->WriteBlocked(), "");
}

// Debian's Wine 8 keeps its socket in a mkdtemp folder under $TMPDIR, named in the prefix. The
// long folder name puts the socket past what a socket address holds; the second case is a server
// started without $TMPDIR, seen from a Marvok that has one.
class RealWineServerTest : public WinePrefixRegistryTest,
                           public ::testing::WithParamInterface<bool> {
  protected:
    // Debian's real wineserver on the prefix, as "wineserver -p" leaves it running.
    bool Wineserver(const std::string& options) {
        const std::string env = (GetParam() ? "TMPDIR=" + tmp : "-u TMPDIR") +
                                " WINEPREFIX=" + prefix + " WINEDEBUG=-all ";
        const std::string command = "env " + env + "wineserver " + options + " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }
    // "wineserver -k", then wait until it has written its files and gone.
    void Stop() {
        if (running_) {
            running_ = !(Wineserver("-k") && Wineserver("-w"));
        }
    }
    void TearDown() override { Stop(); }

    const std::string tmp =
        game.Native("tmp-deep-enough-that-the-server-socket-path-no-longer-fits-a-sun-path");
    bool running_ = false;
};

TEST_P(RealWineServerTest, ResetIsRefusedWhileItRunsAndWrittenAfterwards) {
    fs::create_directories(tmp);
    ScopedEnv marvokTmp("TMPDIR", tmp);
    running_ = Wineserver("-p");
    ASSERT_TRUE(running_) << "wineserver -p failed (scripts/deps.sh installs Wine)";

    EXPECT_FALSE(mMyRegStuff::ResetAs(session, *registry, "mtm2"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Wine is running in " + prefix), std::string::npos)
        << ui.messages[0].text;
    EXPECT_EQ(SystemReg(), kSystemReg);

    Stop();
    if (!GetParam()) {
        fs::remove_all("/tmp/" + game.Read("prefix\\wineserver"));
    }
    EXPECT_EQ(registry->FolderForRegistry(session.GameFolder),
              "C:\\Games\\Monster Truck Madness 2");
    ASSERT_TRUE(mMyRegStuff::ResetAs(session, *registry, "mtm2"));
    EXPECT_NE(SystemReg().find(kInstalledPath), std::string::npos) << SystemReg();
    EXPECT_NE(SystemReg().find("\"Kept\"=\"yes\""), std::string::npos) << SystemReg();
}

INSTANTIATE_TEST_SUITE_P(TmpDir, RealWineServerTest, ::testing::Bool(),
                         [](const auto& p) { return p.param ? "Own" : "Unset"; });

TEST(OwnRegistryFiles, LiveInTheUsersDataFolderOutsideAPrefix) {
    TestGameFolder home;
    {
        ScopedEnv data("XDG_DATA_HOME", home.Folder());
        FakeUserInterface ui;
        auto registry = platform::CreateRegistry(home.Native("game").string());
        EXPECT_EQ(registry->FolderForRegistry("/opt/games/mtm2"), "/opt/games/mtm2");
        EXPECT_TRUE(mRegStuff::WriteValue(*registry, ui, mRegStuff::kHkeyCurrentUser,
                                          "Software\\Test", "v", "x"));
    }
    EXPECT_NE(home.Read("marvok/registry/user.reg").find("[Software\\\\Test] "), std::string::npos);
}

}  // namespace
}  // namespace marvok::test
