#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/AtomicWrite.h"
#include "platform/FileSystem.h"
#include "support/TestGameFolder.h"

namespace marvok::platform {
namespace {

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());  // the test folders are ASCII
}

class AtomicWriteTest : public ::testing::Test {
  protected:
    ~AtomicWriteTest() override {
        // Attributes that would stop the folder's removal.
        for (const char* name : {"pod.ini", "target.ini"}) {
            SetFileAttributesW(Wide(Path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    std::string Path(std::string_view relative) const {
        return game_.Folder() + "\\" + std::string(relative);
    }
    // Everything in the folder, so a stray temporary file shows.
    std::vector<std::string> Names() const {
        std::vector<DirectoryEntry> entries;
        EXPECT_TRUE(fs_->ListDirectory(game_.Folder(), entries));
        std::vector<std::string> names;
        for (const auto& entry : entries) {
            names.push_back(entry.name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    DWORD AttributesOf(std::string_view relative) const {
        return GetFileAttributesW(Wide(Path(relative)).c_str());
    }

    test::TestGameFolder game_;
    std::unique_ptr<FileSystem> fs_ = CreateFileSystem(game_.Folder());
};

TEST_F(AtomicWriteTest, CreatesAndReplacesTheFileWhole) {
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "2\r\na.pod\r\nb.pod\r\n"), "");
    EXPECT_EQ(game_.Read("pod.ini"), "2\r\na.pod\r\nb.pod\r\n");
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "0\r\n"), "");
    EXPECT_EQ(game_.Read("pod.ini"), "0\r\n");
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), ""), "");
    EXPECT_EQ(game_.Read("pod.ini"), "");
    // The new file keeps the old one's hidden mark.
    ASSERT_TRUE(SetFileAttributesW(Wide(Path("pod.ini")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "new"), "");
    EXPECT_EQ(game_.Read("pod.ini"), "new");
    EXPECT_NE(AttributesOf("pod.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Names(), std::vector<std::string>{"pod.ini"});
}

// Each refusal gives a reason and leaves the file, and the folder, as they were.
TEST_F(AtomicWriteTest, ARefusedWriteChangesNothing) {
    const std::string old = "1\r\nmain.pod\r\n";
    game_.Write("pod.ini", old);
    game_.Write("target.ini\\inside.txt", "kept");
    const std::vector<std::string> names = {"pod.ini", "target.ini"};
    // A NUL must not cut the name short to "pod.ini".
    for (const std::string& target : {Path("target.ini"), Path("no folder\\pod.ini"),
                                      Path(std::string("pod.ini\0.txt", 12)),
                                      Path("bad|name.ini"), std::string()}) {
        EXPECT_NE(fs_->WriteFileAtomic(target, "x"), "") << target;
    }
    EXPECT_EQ(game_.Read("target.ini\\inside.txt"), "kept");
    EXPECT_EQ(Names(), names);

    ASSERT_TRUE(SetFileAttributesW(Wide(Path("pod.ini")).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(fs_->WriteFileAtomic(Path("pod.ini"), "0\r\n"), "");
    EXPECT_NE(AttributesOf("pod.ini") & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(Wide(Path("pod.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);

    // The game holds its file without letting others delete or replace it.
    HANDLE held = CreateFileW(Wide(Path("pod.ini")).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string reason = fs_->WriteFileAtomic(Path("pod.ini"), "new");
    CloseHandle(held);
    EXPECT_NE(reason, "");
    EXPECT_EQ(game_.Read("pod.ini"), old);
    EXPECT_EQ(Names(), names);
}

TEST_F(AtomicWriteTest, ASymbolicLinkIsWrittenThrough) {
    game_.Write("lists\\real.ini", "old");
    const std::wstring link = Wide(Path("pod.ini"));
    if (!CreateSymbolicLinkW(link.c_str(), Wide(Path("lists\\real.ini")).c_str(),
                             SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
        GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    ASSERT_EQ(WriteFileAtomically(Path("pod.ini"), "new"), "");
    EXPECT_EQ(game_.Read("lists\\real.ini"), "new");
    EXPECT_NE(AttributesOf("pod.ini") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

// What a killed save leaves (its handle closed by the system) goes with the next save; the
// temporary of a save under way (still open) and files of other names stay.
TEST_F(AtomicWriteTest, TheNextSaveRemovesWhatAKilledSaveLeftButNoSaveUnderWay) {
    game_.Write("pod.ini", "old");
    game_.Write("~pod.ini.0123abcd.tmp", "killed save");
    game_.Write("~pod.ini.notours.tmp", "someone's");
    game_.Write("~target.ini.0123abcd.tmp", "another file's");
    HANDLE running = CreateFileW(Wide(Path("~pod.ini.89abcdef.tmp")).c_str(), GENERIC_WRITE,
                                 FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
    ASSERT_NE(running, INVALID_HANDLE_VALUE);
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "new"), "");
    EXPECT_EQ(game_.Read("pod.ini"), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"pod.ini", "~pod.ini.89abcdef.tmp",
                                                 "~pod.ini.notours.tmp",
                                                 "~target.ini.0123abcd.tmp"}));
    CloseHandle(running);
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "newer"), "");
    EXPECT_EQ(Names(), (std::vector<std::string>{"pod.ini", "~pod.ini.notours.tmp",
                                                 "~target.ini.0123abcd.tmp"}));
}

}  // namespace
}  // namespace marvok::platform
