#include <gtest/gtest.h>

#include "podlist/PodConflicts.h"
#include "support/FailingFileSystem.h"
#include "support/PodBytes.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using test::SoundPod;
using Paths = std::vector<std::string>;
using Positions = std::vector<std::size_t>;

std::string Join(const Positions& positions) {
    std::string joined;
    for (std::size_t p : positions) {
        joined += (joined.empty() ? "" : ",") + std::to_string(p);
    }
    return joined;
}

std::string Describe(const PodConflicts& found) {
    std::string text;
    for (const auto& s : found.shared) {
        text += s.path + ":" + Join(s.pods) + " ";
    }
    Positions skipped;
    for (const auto& s : found.skipped) {
        skipped.push_back(s.pod);
    }
    return text + "| per pod " + Join(found.sharedFiles) + " | skipped " + Join(skipped);
}

class PodConflictsTest : public test::SessionFixture {
  protected:
    Paths Place(const std::vector<std::string>& pods) {
        Paths paths;
        for (std::size_t i = 0; i < pods.size(); ++i) {
            const std::string name = "p" + std::to_string(i) + ".pod";
            if (pods[i].empty()) {
                std::filesystem::remove(game.Native(name));
            } else {
                game.Write(name, pods[i]);
            }
            paths.push_back(game.Folder() + "\\" + name);
        }
        return paths;
    }
    std::atomic<bool> cancel{false};
};

TEST_F(PodConflictsTest, NamesEachSharedFileWithItsPodsInMountOrder) {
    // "x:0,2 y:0,1,2 | per pod 2,2,3 | skipped 1"; "" stands for a missing pod.
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"ART\\X.ACT:0,1 | per pod 1,1 | skipped ",  // in another case
         {SoundPod({"ART\\X.ACT", "a"}), SoundPod({"b", "art\\x.act"})}},
        {"x:0,2 y:0,1,2 z:1,2 | per pod 2,2,3 | skipped ",
         {SoundPod({"x", "y"}), SoundPod({"z", "Y"}), SoundPod({"w", "z", "y", "X"})}},
        {"| per pod 0,0 | skipped ", {SoundPod({"x", "X"}), SoundPod({"y"})}},  // twice in one
        {"x:0,4 | per pod 1,0,0,0,1 | skipped 1,2,3",
         {SoundPod({"x"}), test::PodBytes("", {{"x"}}, 9u), "", SoundPod({"x"}).substr(0, 60),
          SoundPod({"x"})}}};
    for (const auto& [expected, pods] : cases) {
        const PodConflicts found = ScanPodConflicts(*fs, Place(pods), cancel);
        EXPECT_EQ(Describe(found), expected);
        for (const auto& s : found.skipped) {
            EXPECT_FALSE(s.problem.empty());
        }
        EXPECT_FALSE(found.cancelled);
    }
}

TEST_F(PodConflictsTest, CancellingStopsBeforeTheNextPod) {
    const Paths paths = Place({SoundPod({"x"}), SoundPod({"x"}), SoundPod({"x"})});
    test::FailingFileSystem reading(*fs);
    reading.afterRead = [&](const auto& read) { cancel = cancel || read.path == paths[1]; };
    EXPECT_TRUE(ScanPodConflicts(reading, paths, cancel).cancelled);
    EXPECT_EQ(reading.reads.back().path, paths[1]);

    reading.reads.clear();
    EXPECT_TRUE(ScanPodConflicts(reading, paths, cancel).cancelled);
    EXPECT_TRUE(reading.reads.empty());
}

TEST_F(PodConflictsTest, MountedPathsFollowTheMountOrderInBothPresentations) {
    const std::string absolute = game.Folder() + "\\Fixes\\c.pod";
    const Paths expected = {game.Folder() + "\\b.pod", absolute};
    Mount({"b.pod", absolute});
    EXPECT_EQ(MountedPodPaths(session), expected);
    Single({{"b.pod", true}, {"free.pod", false}, {absolute, true}});
    EXPECT_EQ(MountedPodPaths(session), expected);
}

}  // namespace
}  // namespace marvok
