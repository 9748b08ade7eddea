#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

#include "platform/FileSystem.h"
#include "shell/mCommonFunctions.h"
#include "shell/mDirectoryBrowse.h"
#include "support/TestGameFolder.h"

namespace marvok::platform {
namespace {

std::wstring Wide(const std::string& text) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

class Win32FileSystemTest : public ::testing::Test {
  protected:
    std::string Path(std::string_view relative) const {
        return game_.Folder() + "\\" + std::string(relative);
    }
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
    const std::vector<std::string> expected = {"Zoë.pod",  "addons\\",  "empty\\",
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
    const auto whole = fs_->ReadFile(Path("pod.ini"), 1000);
    EXPECT_TRUE(whole.ok);
    EXPECT_EQ(whole.bytes, "3\r\nmain.pod\r\n");
    const auto head = fs_->ReadFile(Path("pod.ini"), 4);
    EXPECT_TRUE(head.ok);
    EXPECT_EQ(head.bytes, "3\r\nm");
    const auto missing = fs_->ReadFile(Path("none.ini"), 1000);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    game_.MakeFolder("folder.ini");
    EXPECT_FALSE(fs_->ReadFile(Path("folder.ini"), 1000).ok);
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

    // The folder's own name became an 8.3 alias with a "~"; the parent part is the parent's
    // short form.
    const auto slash = shortPath.find_last_of('\\');
    ASSERT_NE(slash, std::string::npos);
    const std::string leaf = shortPath.substr(slash + 1);
    EXPECT_LE(leaf.size(), 8u);
    EXPECT_NE(leaf.find('~'), std::string::npos);
    EXPECT_EQ(shortPath.substr(0, slash), fs_->ShortPath(game_.Folder()));

    EXPECT_EQ(fs_->Attributes(shortPath), EntryKind::Directory);
    EXPECT_TRUE(mCommonFunctions::FileExists(*fs_, game_.Folder(), shortPath + "\\big.pod"));
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

}  // namespace
}  // namespace marvok::platform
