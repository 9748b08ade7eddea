#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "platform/AtomicWrite.h"
#include "platform/FileSystem.h"
#include "platform/win32/WideText.h"
#include "shell/mCommonFunctions.h"
#include "shell/mDirectoryBrowse.h"
#include "support/TestGameFolder.h"

namespace marvok::platform {
namespace {

std::wstring Wide(const std::string& text) {
    return *win32::Widen(text);
}

class Win32FileSystemTest : public ::testing::Test {
  protected:
    ~Win32FileSystemTest() override {
        // Attributes that would stop the folder's removal.
        for (const char* name : {"pod.ini", "target.ini"}) {
            SetFileAttributesW(Wide(Path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    std::string Path(std::string_view relative) const {
        return game_.Folder() + "\\" + std::string(relative);
    }
    // Everything in the folder, a folder's name followed by "\\", so a stray temporary shows.
    std::vector<std::string> Names(std::string_view folder) const {
        std::vector<DirectoryEntry> entries;
        EXPECT_TRUE(fs_->ListDirectory(folder, entries));
        std::vector<std::string> names;
        for (const auto& entry : entries) {
            names.push_back(entry.name + (entry.isDirectory ? "\\" : ""));
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

TEST_F(Win32FileSystemTest, AttributesAndSizesTellFilesFromFoldersAndMissingPaths) {
    // Sparse, so that no disk space is taken.
    const HANDLE big = CreateFileW(Wide(Path("big.pod")).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, 0, nullptr);
    ASSERT_NE(big, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    DeviceIoControl(big, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = 5'000'000'123ll;
    const bool sized = SetFilePointerEx(big, size, nullptr, FILE_BEGIN) && SetEndOfFile(big);
    CloseHandle(big);
    ASSERT_TRUE(sized);
    game_.Write("main.pod", "12345");
    game_.MakeFolder("Fixes.pod");
    EXPECT_EQ(fs_->Attributes(Path("main.pod")), EntryKind::File);
    EXPECT_EQ(fs_->Attributes(Path("MAIN.POD")), EntryKind::File);
    EXPECT_EQ(fs_->Attributes(Path("Fixes.pod")), EntryKind::Directory);
    EXPECT_EQ(fs_->Attributes(game_.Folder() + "\\"), EntryKind::Directory);
    EXPECT_FALSE(fs_->Attributes(Path("gone.pod")));
    EXPECT_FALSE(fs_->Attributes(""));
    // A NUL must not cut the name short and find "main.pod".
    EXPECT_FALSE(fs_->Attributes(Path(std::string("main.pod\0.txt", 13))));
    EXPECT_EQ(fs_->FileSize(Path("big.pod")), 5'000'000'123ull);
    EXPECT_EQ(fs_->FileSize(Path("main.pod")), 5u);
    EXPECT_FALSE(fs_->FileSize(Path("Fixes.pod")));
    EXPECT_FALSE(fs_->FileSize(Path("missing.pod")));
}

TEST_F(Win32FileSystemTest, ListDirectoryGivesNamesAndTheFolderBitOnce) {
    game_.Write("main.pod");
    // Made through the wide call: the name must come back as the same UTF-8 text.
    const HANDLE made = CreateFileW(Wide(Path("Zoë.pod")).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, 0, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    CloseHandle(made);
    game_.Write("my pod.pod");
    game_.MakeFolder("addons");
    game_.MakeFolder("extra.pod");
    game_.MakeFolder("empty");
    const std::vector<std::string> expected = {"Zoë.pod",     "addons\\", "empty\\",
                                               "extra.pod\\", "main.pod", "my pod.pod"};
    EXPECT_EQ(Names(game_.Folder()), expected);
    // A trailing backslash names the same folder.
    EXPECT_EQ(Names(game_.Folder() + "\\"), expected);
    // An empty folder is listed as empty, a missing one (or a file) fails.
    EXPECT_TRUE(Names(Path("empty")).empty());
    std::vector<DirectoryEntry> entries{{"stale", false}};
    EXPECT_FALSE(fs_->ListDirectory(Path("missing"), entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(fs_->ListDirectory(Path("main.pod"), entries));
    EXPECT_FALSE(fs_->ListDirectory("", entries));
}

TEST_F(Win32FileSystemTest, ReadFileStopsAtTheLimitAndReportsFailures) {
    game_.Write("pod.ini", "3\r\nmain.pod\r\n");
    game_.MakeFolder("folder.ini");
    EXPECT_EQ(fs_->ReadFile(Path("pod.ini"), 1000).bytes, "3\r\nmain.pod\r\n");
    EXPECT_EQ(fs_->ReadFile(Path("pod.ini"), 4).bytes, "3\r\nm");
    EXPECT_TRUE(fs_->ReadFile(Path("pod.ini"), 4).ok);
    for (const char* name : {"none.ini", "folder.ini"}) {
        const ReadResult failed = fs_->ReadFile(Path(name), 1000);
        EXPECT_FALSE(failed.ok || failed.error.empty()) << name;
    }
}

TEST_F(Win32FileSystemTest, ANamedPipeIsRefusedWithoutReadingIt) {
    const std::string name = "\\\\.\\pipe\\marvok-test-" + std::to_string(GetCurrentProcessId());
    const HANDLE server = CreateNamedPipeW(Wide(name).c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE,
                                           1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    // The server hangs up as soon as a reader connects: a reader that does not refuse the pipe
    // then fails on a broken pipe instead of waiting.
    std::thread serve([server] {
        ConnectNamedPipe(server, nullptr);
        CloseHandle(server);
    });
    const ReadResult read = fs_->ReadFile(name, 1000);
    // Releases the server should the reader never have connected.
    const HANDLE late =
        CreateFileW(Wide(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (late != INVALID_HANDLE_VALUE) {
        CloseHandle(late);
    }
    serve.join();
    EXPECT_FALSE(read.ok);
    EXPECT_NE(read.error.find("regular file"), std::string::npos) << read.error;
}

TEST_F(Win32FileSystemTest, PathsBeyondMaxPathWork) {
    // Folders made with the long form, as the plain calls stop at MAX_PATH; removed here, as the
    // test folder's own clean-up cannot reach them.
    std::vector<std::wstring> made;
    struct Cleanup {
        std::vector<std::wstring>& made;
        ~Cleanup() {
            for (auto it = made.rbegin(); it != made.rend(); ++it) {
                DeleteFileW(it->c_str());
                RemoveDirectoryW(it->c_str());
            }
        }
    } cleanup{made};
    std::string folder = game_.Folder();
    while (folder.size() < 300) {
        folder += "\\a-rather-long-folder-name";
        made.push_back(L"\\\\?\\" + Wide(folder));
        ASSERT_TRUE(CreateDirectoryW(made.back().c_str(), nullptr));
    }
    const std::string file = folder + "\\deep.pod";
    made.push_back(L"\\\\?\\" + Wide(file));
    ASSERT_EQ(fs_->WriteFileAtomic(file, "deep"), "");
    EXPECT_EQ(fs_->Attributes(file), EntryKind::File);
    EXPECT_EQ(fs_->FileSize(file), 4u);
    EXPECT_EQ(fs_->ReadFile(file, 100).bytes, "deep");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"deep.pod"});
}

// The short form a folder with blanks gets must be space-free and lead back to the folder.
TEST_F(Win32FileSystemTest, ShortPathOfAFolderWithBlanksIsAnEightDotThreeAlias) {
    game_.Write("My Pod Folder\\big.pod", "pod");
    const std::string longPath = Path("My Pod Folder");
    wchar_t raw[MAX_PATH] = {};
    GetShortPathNameW(Wide(longPath).c_str(), raw, MAX_PATH);
    if (std::wstring_view(raw).find(L' ') != std::wstring_view::npos) {
        GTEST_SKIP() << "this volume makes no 8.3 names";
    }
    const std::string shortPath = mDirectoryBrowse::GetShortPath(*fs_, longPath);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos);
    EXPECT_LE(shortPath.size(), 164u);

    // The parent part is the parent's short form; the leaf must name the folder itself.
    const auto slash = shortPath.find_last_of('\\');
    ASSERT_NE(slash, std::string::npos);
    EXPECT_EQ(shortPath.substr(0, slash), fs_->ShortPath(game_.Folder()));

    EXPECT_EQ(fs_->Attributes(shortPath), EntryKind::Directory);
    EXPECT_TRUE(shell::mCommonFunctions::FileExists(*fs_, game_.Folder(), shortPath + "\\big.pod"));
    // A path already short comes back unchanged.
    EXPECT_EQ(fs_->ShortPath(shortPath), shortPath);
}

TEST_F(Win32FileSystemTest, ShortPathIsEmptyWhenMissingOrTooLong) {
    EXPECT_EQ(fs_->ShortPath(Path("no such folder")), "");
    EXPECT_EQ(fs_->ShortPath(""), "");
    // Legal 8.3 names keep their length in the short form: add them until it passes 164.
    const std::string shortBase = fs_->ShortPath(game_.Folder());
    ASSERT_FALSE(shortBase.empty());
    std::string folder = game_.Folder();
    std::string suffix;
    while (shortBase.size() + suffix.size() <= 164 + 9) {
        suffix += "\\abcdefgh";
        folder += "\\abcdefgh";
        ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr));
        const std::string expected = shortBase + suffix;
        EXPECT_EQ(fs_->ShortPath(folder), expected.size() <= 164 ? expected : "")
            << expected.size();
    }
}

TEST_F(Win32FileSystemTest, CreatesAndReplacesTheFileWhole) {
    for (const char* bytes : {"2\r\na.pod\r\nb.pod\r\n", "0\r\n", ""}) {
        ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), bytes), "");
        EXPECT_EQ(game_.Read("pod.ini"), bytes);
    }
    // The new file keeps the old one's hidden mark.
    ASSERT_TRUE(SetFileAttributesW(Wide(Path("pod.ini")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "new"), "");
    EXPECT_EQ(game_.Read("pod.ini"), "new");
    EXPECT_NE(AttributesOf("pod.ini") & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(Names(game_.Folder()), std::vector<std::string>{"pod.ini"});
}

// Each refusal gives a reason and leaves the file, and the folder, as they were.
TEST_F(Win32FileSystemTest, ARefusedWriteChangesNothing) {
    const std::string old = "1\r\nmain.pod\r\n";
    game_.Write("pod.ini", old);
    game_.Write("target.ini\\inside.txt", "kept");
    const std::vector<std::string> names = {"pod.ini", "target.ini\\"};
    // A NUL must not cut the name short to "pod.ini".
    for (const std::string& target :
         {Path("target.ini"), Path("no folder\\pod.ini"), Path(std::string("pod.ini\0.txt", 12)),
          Path("bad|name.ini"), std::string()}) {
        EXPECT_NE(fs_->WriteFileAtomic(target, "x"), "") << target;
    }
    EXPECT_EQ(game_.Read("target.ini\\inside.txt"), "kept");
    EXPECT_EQ(Names(game_.Folder()), names);

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
    EXPECT_EQ(Names(game_.Folder()), names);
}

TEST_F(Win32FileSystemTest, ASymbolicLinkIsWrittenThrough) {
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
TEST_F(Win32FileSystemTest, TheNextSaveRemovesWhatAKilledSaveLeftButNoSaveUnderWay) {
    game_.Write("pod.ini", "old");
    game_.Write("~pod.ini.0123abcd.tmp", "killed save");
    game_.Write("~pod.ini.notours.tmp", "someone's");
    game_.Write("~target.ini.0123abcd.tmp", "another file's");
    HANDLE running =
        CreateFileW(Wide(Path("~pod.ini.89abcdef.tmp")).c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(running, INVALID_HANDLE_VALUE);
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "new"), "");
    EXPECT_EQ(game_.Read("pod.ini"), "new");
    EXPECT_EQ(Names(game_.Folder()),
              (std::vector<std::string>{"pod.ini", "~pod.ini.89abcdef.tmp", "~pod.ini.notours.tmp",
                                        "~target.ini.0123abcd.tmp"}));
    CloseHandle(running);
    ASSERT_EQ(fs_->WriteFileAtomic(Path("pod.ini"), "newer"), "");
    EXPECT_EQ(Names(game_.Folder()), (std::vector<std::string>{"pod.ini", "~pod.ini.notours.tmp",
                                                               "~target.ini.0123abcd.tmp"}));
}

}  // namespace
}  // namespace marvok::platform
