#include <gtest/gtest.h>

#include "podlist/PodArchive.h"
#include "support/FailingFileSystem.h"
#include "support/PodBytes.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using test::PodBytes;

TEST(ParsePodArchive, GivesTheHeaderOrSaysWhatIsWrong) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* problem;  // a part of the reason; "" for a sound archive
        std::uint32_t count = 0;
        std::string comment = {};
        std::string firstPath = {};
        std::uint64_t fileSize = 0;  // 0: the size of the bytes
    };
    const std::string k80(80, 'C');
    const std::string k32 = "ART\\ABCDEFGHIJKLMNOPQRSTUVWX.ACT";
    const Case cases[] = {
        {"sound", PodBytes("Backhoe", {{"ART\\BACKHOE.ACT", 3, 125}}, {}, 4), "", 1, "Backhoe",
         "ART\\BACKHOE.ACT"},
        {"no files", PodBytes("none", {}), "", 0, "none"},
        {"fields without a NUL", PodBytes(k80, {{k32, 0, 0}}), "", 1, k80, k32},
        {"Windows-1252 up to a NUL", PodBytes({"caf\xe9\0zz", 6}, {}), "", 0, "café"},
        {"empty", "", "The file is empty."},
        {"nothing read of a file", "", "The file is empty.", 0, {}, {}, 1000},
        {"short", PodBytes("x", {}).substr(0, 50), "too short for a POD1 archive: 50"},
        {"header read short", PodBytes("x", {}).substr(0, 50), "too short for a POD1 archive: 50",
         0, {}, {}, 1000},
        {"file shorter than read", PodBytes("x", {}), "too short for a POD1 archive: 60", 0, {},
         {}, 60},
        {"huge count", PodBytes("", {}, 0xFFFFFFFFu), "promises 4294967295 files", 0xFFFFFFFFu},
        {"one entry too many", PodBytes("", {{"a"}}, 2u), "promises 2 files", 2},
        {"table read short", PodBytes("", {{"a"}}).substr(0, 100), "ended while its entry table",
         1, {}, {}, 200},
        {"past the end", PodBytes("", {{"ART\\X.ACT", 2, 125}}, {}, 2),
         "ART\\X.ACT runs past the end", 1},
        {"past 4 GiB", PodBytes("", {{"wrap", 0x20, 0xFFFFFFF0u}}), "wrap runs past", 1},
        {"filled to the end", PodBytes("", {{"end", 2, 124}}, {}, 2), "", 1, "", "end"}};
    for (const Case& c : cases) {
        const PodArchive archive = ParsePodArchive(
            c.bytes, c.fileSize ? c.fileSize : c.bytes.size(), PodRead::Entries);
        EXPECT_EQ(archive.Sound(), *c.problem == '\0') << c.what << ": " << archive.problem;
        EXPECT_NE(archive.problem.find(c.problem), std::string::npos) << c.what << archive.problem;
        EXPECT_EQ(archive.fileCount, c.count) << c.what;
        EXPECT_EQ(archive.comment, c.comment) << c.what;
        EXPECT_EQ(archive.files.empty() ? "" : archive.files[0].path, c.firstPath) << c.what;
    }
}

class ReadPodArchiveTest : public test::SessionFixture {
protected:
    ReadPodArchiveTest() : reading(*fs) {}

    PodArchive Read(std::string_view name, PodRead what) {
        return ReadPodArchive(reading, game.Folder() + "\\" + std::string(name), what);
    }

    test::FailingFileSystem reading;
};

TEST_F(ReadPodArchiveTest, OnlyAReadWithEntriesReadsTheTable) {
    game.Write("Fixes\\big.pod", test::SoundPod(std::vector<std::string>(500, "ART\\X.ACT")));
    const PodArchive header = Read("Fixes\\big.pod", PodRead::Header);
    EXPECT_EQ(header.fileCount, 500u);
    EXPECT_TRUE(header.files.empty());
    EXPECT_EQ(reading.reads.back().maxBytes, kPodHeaderBytes);
    EXPECT_EQ(Read("Fixes\\big.pod", PodRead::Entries).files.size(), 500u);
}

// Neither read nor room is spent on the count's word alone.
TEST_F(ReadPodArchiveTest, AHugeCountIsWeighedAgainstTheFileSizeFirst) {
    game.Write("huge.pod", PodBytes("", {}, 0x7FFFFFFFu, 1000));
    EXPECT_NE(Read("huge.pod", PodRead::Entries).problem.find("more than its 1084 bytes"),
              std::string::npos);
    ASSERT_EQ(reading.reads.size(), 1u);
    EXPECT_EQ(reading.reads[0].maxBytes, kPodHeaderBytes);
}

TEST_F(ReadPodArchiveTest, WhatCannotBeReadSaysWhy) {
    game.MakeFolder("folder.pod");
    for (const char* name : {"missing.pod", "folder.pod"}) {
        const PodArchive archive = Read(name, PodRead::Entries);
        EXPECT_EQ(archive.state, PodArchiveState::Unreadable) << name;
        EXPECT_FALSE(archive.problem.empty()) << name;
    }
}

}  // namespace
}  // namespace marvok
