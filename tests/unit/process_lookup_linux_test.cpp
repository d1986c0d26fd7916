#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "discovery/process_lookup.h"
#include "discovery/sound_folder.h"
#include "standin_process.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::StandInProcess;
using testing::TestWorld;

// Stand-in clients in their install layouts, found through the real /proc
// walk. Other test runs on this machine may have stand-ins of their own
// running at the same moment; a match outside this test's folder is theirs,
// so the search is repeated until they have gone.
class ProcessLookup : public ::testing::Test {
  protected:
    std::string Path(const std::string& relative) const { return world.At(relative).string(); }

    bool Ours() const {
        return world.model.state.TargetStatusText.starts_with(world.root.Folder());
    }

    std::int32_t Search(const std::function<std::int32_t()>& search) {
        std::int32_t result = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            result = search();
            if (result == 0 || Ours())
                return result;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return result;
    }
    std::int32_t FindAppHere(const std::string& name, std::int32_t mode) {
        return Search([&] { return FindApp(world.model, name, mode); });
    }
    bool FindQQHere() {
        return Search([&] { return M_find_qq(world.model) ? 1 : 0; }) != 0;
    }

    TestWorld world;
};

TEST_F(ProcessLookup, QQIsFoundByNameWithTheSoundFolderAboveIt) {
    world.Put("Program Files/Tencent/QQ/Misc/sound/msg.wav");
    StandInProcess qq(world.At("Program Files/Tencent/QQ/Bin/QQ.exe"));

    EXPECT_EQ(FindAppHere("QQ.exe", ByNameQQ), qq.Pid());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("Program Files/Tencent/QQ/Bin/QQ.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir,
              Path("Program Files/Tencent/QQ/Bin/../Misc/sound/"));
}

TEST_F(ProcessLookup, LowerCaseQQWithMixedCaseFoldersIsFound) {
    world.Put("qq/misc/Sound/Classic/msg.wav");
    StandInProcess qq(world.At("qq/bin/qq.exe"));

    EXPECT_EQ(FindAppHere("QQ.exe", ByNameQQ), qq.Pid());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("qq/bin/qq.exe"));
    const std::string& folder = world.model.state.TargetSoundDir;
    EXPECT_TRUE(folder.starts_with(Path("qq/bin/../"))) << folder;
    EXPECT_TRUE(folder.ends_with("/Classic/")) << folder;
    EXPECT_TRUE(world.files->FileExists(folder + "msg.wav")) << folder;
}

TEST_F(ProcessLookup, AQQWithoutMarkersIsPassedOver) {
    world.Put("Bare/Bin/readme.txt");
    StandInProcess bare(world.At("Bare/Bin/QQ.exe"));
    world.Put("Real/Misc/sound/msg.wav");
    StandInProcess real(world.At("Real/Bin/QQ.exe"));

    EXPECT_EQ(FindAppHere("QQ.exe", ByNameQQ), real.Pid());
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("Real/Bin/../Misc/sound/"));
}

TEST_F(ProcessLookup, FindQQTriesQQThenTMThenAnyProgramWithASoundFolder) {
    // Started in the reverse of the order they are tried in, so that the
    // order of the processes cannot be what decides.
    world.Put("Player/Bin/sound/folder.wav");
    StandInProcess player(world.At("Player/Bin/Player.exe"));
    world.Put("TM/Bin/TMsound/folder.wav");
    StandInProcess tm(world.At("TM/Bin/TM.exe"));
    world.Put("QQ/Misc/sound/msg.wav");
    StandInProcess qq(world.At("QQ/Bin/QQ.exe"));

    ASSERT_TRUE(FindQQHere());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("QQ/Bin/QQ.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("QQ/Bin/../Misc/sound/"));

    qq.Stop();
    ASSERT_TRUE(FindQQHere());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("TM/Bin/TM.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("TM/Bin/TMsound/"));

    tm.Stop();
    ASSERT_TRUE(FindQQHere());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("Player/Bin/Player.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("Player/Bin/sound/"));
}

TEST_F(ProcessLookup, AnUnsuccessfulSearchEmptiesTheFolderAndKeepsTheLabel) {
    world.Put("QQ/Misc/sound/msg.wav");
    StandInProcess qq(world.At("QQ/Bin/QQ.exe"));
    world.model.state.TargetStatusText = "D:\\Apps\\QQ\\Bin\\QQ.exe";
    world.model.state.TargetSoundDir = Path("QQ/Bin/../Misc/sound/");

    // A name that no process anywhere has.
    const std::string nobody = "NoSuchClient" + std::to_string(::getpid()) + ".exe";
    EXPECT_EQ(FindApp(world.model, nobody, ByNameQQ), 0);
    EXPECT_EQ(world.model.state.TargetSoundDir, "");
    EXPECT_EQ(world.model.state.TargetStatusText, "D:\\Apps\\QQ\\Bin\\QQ.exe");
}

}  // namespace
}  // namespace sonatrix
