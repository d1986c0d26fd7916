// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

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
// walk narrowed to this test's own processes, so that clients (or other
// test runs' stand-ins) running elsewhere on the machine cannot interfere.
class ProcessLookup : public ::testing::Test {
  protected:
    std::string Path(const std::string& relative) const { return world.At(relative).string(); }
    // Starts a stand-in at `relative` and lets the model see it.
    std::unique_ptr<StandInProcess> Start(const std::string& relative) {
        auto process = std::make_unique<StandInProcess>(world.At(relative));
        world.ownProcesses.Allow(process->Pid());
        return process;
    }

    TestWorld world;
};

TEST_F(ProcessLookup, QQIsFoundByNameWithTheSoundFolderAboveIt) {
    world.Put("Program Files/Tencent/QQ/Misc/sound/msg.wav");
    auto qq = Start("Program Files/Tencent/QQ/Bin/QQ.exe");

    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), qq->Pid());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("Program Files/Tencent/QQ/Bin/QQ.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir,
              Path("Program Files/Tencent/QQ/Bin/../Misc/sound/"));
}

TEST_F(ProcessLookup, LowerCaseQQWithMixedCaseFoldersIsFound) {
    world.Put("qq/misc/Sound/Classic/msg.wav");
    auto qq = Start("qq/bin/qq.exe");

    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), qq->Pid());
    EXPECT_EQ(world.model.state.TargetStatusText, Path("qq/bin/qq.exe"));
    const std::string& folder = world.model.state.TargetSoundDir;
    EXPECT_TRUE(folder.starts_with(Path("qq/bin/../"))) << folder;
    EXPECT_TRUE(folder.ends_with("/Classic/")) << folder;
    EXPECT_TRUE(world.files->FileExists(folder + "msg.wav")) << folder;
}

TEST_F(ProcessLookup, AQQWithoutMarkersIsPassedOver) {
    world.Put("Bare/Bin/readme.txt");
    auto bare = Start("Bare/Bin/QQ.exe");
    world.Put("Real/Misc/sound/msg.wav");
    auto real = Start("Real/Bin/QQ.exe");

    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), real->Pid());
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("Real/Bin/../Misc/sound/"));
}

TEST_F(ProcessLookup, FindQQTriesQQThenTMThenAnyProgramWithASoundFolder) {
    // Started in the reverse of the order they are tried in, so that the
    // order of the processes cannot be what decides.
    world.Put("Player/Bin/sound/folder.wav");
    auto player = Start("Player/Bin/Player.exe");
    world.Put("TM/Bin/TMsound/folder.wav");
    auto tm = Start("TM/Bin/TM.exe");
    world.Put("QQ/Misc/sound/msg.wav");
    auto qq = Start("QQ/Bin/QQ.exe");

    ASSERT_TRUE(M_find_qq(world.model));
    EXPECT_EQ(world.model.state.TargetStatusText, Path("QQ/Bin/QQ.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("QQ/Bin/../Misc/sound/"));

    qq->Stop();
    ASSERT_TRUE(M_find_qq(world.model));
    EXPECT_EQ(world.model.state.TargetStatusText, Path("TM/Bin/TM.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("TM/Bin/TMsound/"));

    tm->Stop();
    ASSERT_TRUE(M_find_qq(world.model));
    EXPECT_EQ(world.model.state.TargetStatusText, Path("Player/Bin/Player.exe"));
    EXPECT_EQ(world.model.state.TargetSoundDir, Path("Player/Bin/sound/"));
}

TEST_F(ProcessLookup, AnUnsuccessfulSearchEmptiesTheFolderAndKeepsTheLabel) {
    auto bare = Start("QQ/Bin/QQ.exe");  // no markers anywhere
    world.model.state.TargetStatusText = "D:\\Apps\\QQ\\Bin\\QQ.exe";
    world.model.state.TargetSoundDir = Path("Old/Misc/sound/");

    EXPECT_EQ(FindApp(world.model, "QQ.exe", ByNameQQ), 0);
    EXPECT_EQ(world.model.state.TargetSoundDir, "");
    EXPECT_EQ(world.model.state.TargetStatusText, "D:\\Apps\\QQ\\Bin\\QQ.exe");
    EXPECT_FALSE(M_find_qq(world.model));
}

}  // namespace
}  // namespace sonatrix
