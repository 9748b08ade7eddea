#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "platform/AtomicWrite.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/TestGameFolder.h"

namespace marvok::platform {
namespace {

namespace fsys = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
  protected:
    test::TestGameFolder dir;
    PosixFileSystem fs{std::nullopt};
    std::string Root() const { return dir.Folder(); }
};

TEST_F(PosixFileSystemTest, WindowsNamesResolveIgnoringCaseButAnExactNameWins) {
    dir.Write("Fixes\\FixMore4.pod", "x");
    EXPECT_EQ(fs.Attributes(Root() + "\\fixes\\FIXMORE4.POD"), EntryKind::File);
    EXPECT_EQ(fs.Attributes(Root() + "\\FIXES"), EntryKind::Directory);
    EXPECT_EQ(fs.Attributes(Root() + "/fixes/fixmore4.pod"), EntryKind::File);
    EXPECT_EQ(fs.Attributes(Root() + "\\Fixes\\..\\Fixes\\.\\FixMore4.pod"), EntryKind::File);
    EXPECT_FALSE(fs.Attributes(Root() + "\\Fixes\\other.pod"));
    EXPECT_FALSE(fs.Attributes("C:\\Fixes"));  // no prefix, no drives
    dir.Write("a.pod", "lower");
    dir.Write("A.POD", "upper");
    EXPECT_EQ(fs.ReadFile(Root() + "\\A.POD", 100).bytes, "upper");
    EXPECT_EQ(fs.ReadFile(Root() + "\\a.pod", 100).bytes, "lower");
    dir.Write("POD.INI", "old");  // a write replaces a file of another case
    EXPECT_EQ(fs.WriteFileAtomic(Root() + "\\pod.ini", "new"), "");
    EXPECT_EQ(dir.Read("POD.INI"), "new");
    EXPECT_FALSE(fsys::exists(dir.Native("pod.ini")) && dir.Read("pod.ini") != "new");
    // Outside a prefix a short path is the full path, if it has no blank.
    dir.MakeFolder("pods");
    dir.MakeFolder("my pods");
    EXPECT_EQ(fs.ShortPath(Root() + "\\PODS"), dir.Native("pods").string());
    EXPECT_EQ(fs.ShortPath(Root() + "\\my pods"), "");
    EXPECT_EQ(fs.ShortPath(Root() + "\\none"), "");
}

TEST_F(PosixFileSystemTest, ReadStopsAtTheLimitAndSaysWhyItFailed) {
    dir.Write("big.ini", std::string(1000, 'x'));
    dir.MakeFolder("folder.ini");
    EXPECT_EQ(fs.ReadFile(Root() + "\\big.ini", 10).bytes, std::string(10, 'x'));
    for (const char* name : {"\\none.ini", "\\folder.ini"}) {
        const ReadResult failed = fs.ReadFile(Root() + name, 10);
        EXPECT_FALSE(failed.ok || failed.error.empty()) << name;
    }
}

// Listings are kept between scans; a kept one may only serve while its folder is unchanged.
class ListingTest : public PosixFileSystemTest {
  protected:
    // The names listed in order, a folder's followed by "/"; "none" when it cannot be listed.
    std::string Listing(const std::string& folder) {
        std::vector<DirectoryEntry> entries;
        if (!fs.ListDirectory(folder, entries)) {
            return "none";
        }
        std::string names;
        for (const auto& e : entries) {
            names += (names.empty() ? "" : " ") + e.name + (e.isDirectory ? "/" : "");
        }
        return names;
    }
    // The folder as if it had last changed long ago, so that its listing is kept and trusted.
    void Settle(const fsys::path& folder) { fsys::last_write_time(folder, longAgo); }
    const fsys::file_time_type longAgo = fsys::file_time_type::clock::now() - std::chrono::hours(1);
};

TEST_F(ListingTest, AKeptListingServesOnlyWhileItsFolderIsUnchanged) {
    dir.Write("pods\\b.pod", "x");
    dir.Write("pods\\A.pod", "x");
    dir.Write("pods\\sub\\x.pod", "x");
    fsys::create_directory_symlink(dir.Native("pods\\sub"), dir.Native("pods\\loop"));
    const fsys::path pods = dir.Native("pods");
    const std::string folder = Root() + "\\pods";
    EXPECT_EQ(Listing(Root() + "\\none"), "none");
    Settle(pods);
    EXPECT_EQ(Listing(folder), "A.pod b.pod loop sub/");  // a link to a folder is no folder
    // Forged back to the same time, a change is not seen: the listing was kept.
    dir.Write("pods\\c.pod", "x");
    Settle(pods);
    EXPECT_EQ(Listing(folder), "A.pod b.pod loop sub/");
    // Any real change gives the folder a new time.
    dir.Write("pods\\d.pod", "x");
    EXPECT_EQ(Listing(folder), "A.pod b.pod c.pod d.pod loop sub/");
    Settle(pods);
    EXPECT_EQ(Listing(folder), "A.pod b.pod c.pod d.pod loop sub/");
    // Another folder put in its place, even with the same time, is read afresh.
    fsys::rename(pods, dir.Native("old"));
    dir.Write("pods\\e.pod", "x");
    Settle(pods);
    EXPECT_EQ(Listing(folder), "e.pod");
}

TEST_F(ListingTest, ChangesInsideOneTickOfTheFolderAreAllSeen) {
    // A folder read moments after a change is not trusted: its time may not move again. Lookups
    // in another case go through the same listing.
    for (int i = 0; i < 30; ++i) {
        const std::string name = "p" + std::to_string(i) + ".pod";
        dir.Write(name, "x");
        EXPECT_EQ(fs.Attributes(Root() + "\\P" + std::to_string(i) + ".POD"), EntryKind::File);
        EXPECT_EQ(Listing(Root()), name) << i;
        fsys::remove(dir.Native(name));
        EXPECT_FALSE(fs.Attributes(Root() + "\\P" + std::to_string(i) + ".POD")) << i;
        EXPECT_EQ(Listing(Root()), "") << i;
    }
}

std::vector<std::string> NamesIn(const test::TestGameFolder& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fsys::directory_iterator(dir.Native(""))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A failed write leaves the target as it was and no temporary file beside it.
TEST_F(PosixFileSystemTest, AtomicWriteKeepsPermissionsWritesThroughLinksAndFailsWithoutATrace) {
    dir.Write("real.ini", "old");
    chmod(dir.Native("real.ini").c_str(), 0640);
    fsys::create_symlink(dir.Native("real.ini"), dir.Native("link.ini"));
    EXPECT_EQ(WriteFileAtomically(dir.Native("link.ini").string(), "new"), "");
    EXPECT_TRUE(fsys::is_symlink(dir.Native("link.ini")));
    EXPECT_EQ(dir.Read("real.ini"), "new");
    struct stat st {};
    stat(dir.Native("real.ini").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    dir.Write("pod.ini", "1\r\nkeep.pod\r\n");
    chmod(dir.Native("pod.ini").c_str(), 0444);
    EXPECT_NE(WriteFileAtomically(dir.Native("pod.ini").string(), "0\r\n"), "");
    EXPECT_EQ(dir.Read("pod.ini"), "1\r\nkeep.pod\r\n");
    EXPECT_NE(WriteFileAtomically(dir.Native("none\\x.ini").string(), "new"), "");
    // A folder in the file's place: PodIniTest, on every platform.
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"link.ini", "pod.ini", "real.ini"}));
}

// A save killed half-way (here by the file size limit) leaves its temporary file; the next save
// of that file removes it.
TEST_F(PosixFileSystemTest, AtomicWriteTheNextSaveRemovesWhatAKilledSaveLeft) {
    dir.Write("pod.ini", "1\r\nold.pod\r\n");
    const std::string target = dir.Native("pod.ini").string();
    const pid_t child = fork();
    if (child == 0) {
        const rlimit small{4096, 4096};
        const rlimit none{0, 0};
        setrlimit(RLIMIT_CORE, &none);
        setrlimit(RLIMIT_FSIZE, &small);
        WriteFileAtomically(target, std::string(1 << 20, 'x'));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    EXPECT_EQ(dir.Read("pod.ini"), "1\r\nold.pod\r\n");
    ASSERT_EQ(NamesIn(dir).size(), 2u);  // the killed save's temporary file

    dir.Write("notes.txt", "mine");
    dir.Write(".pod.ini.txt", "not a temporary of ours");
    EXPECT_EQ(WriteFileAtomically(target, "0\r\n"), "");
    EXPECT_EQ(dir.Read("pod.ini"), "0\r\n");
    EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{".pod.ini.txt", "notes.txt", "pod.ini"}));
}

// The temporary file of a save still under way (one that holds the folder's lock) is its own.
TEST_F(PosixFileSystemTest, AtomicWriteTheTemporaryOfASaveUnderWayIsLeftAlone) {
    dir.Write(".pod.ini.Ab12Cd", "another save's half");
    const int running = open(dir.Folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(flock(running, LOCK_SH), 0);
    EXPECT_EQ(WriteFileAtomically(dir.Native("pod.ini").string(), "0\r\n"), "");
    EXPECT_EQ(dir.Read(".pod.ini.Ab12Cd"), "another save's half");
    close(running);
    EXPECT_EQ(WriteFileAtomically(dir.Native("pod.ini").string(), "1\r\na.pod\r\n"), "");
    EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"pod.ini"});
}

// Two programs saving the same file at once: neither save may lose its temporary file.
TEST_F(PosixFileSystemTest, AtomicWriteSavesAtTheSameTimeAllSucceed) {
    const std::string target = dir.Native("pod.ini").string();
    const auto failures = [&](const std::string& list) {
        int failed = 0;
        for (int i = 0; i < 150; ++i) {
            failed += WriteFileAtomically(target, list).empty() ? 0 : 1;
        }
        return failed;
    };
    const pid_t child = fork();
    if (child == 0) {
        _exit(failures("1\r\nchild.pod\r\n") == 0 ? 0 : 1);
    }
    EXPECT_EQ(failures("1\r\nparent.pod\r\n"), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(NamesIn(dir), std::vector<std::string>{"pod.ini"});
}

}  // namespace
}  // namespace marvok::platform
