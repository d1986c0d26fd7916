// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "platform/path_pieces.h"
#include "standin_process.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::StandInProcess;
using testing::TestWorld;

// What the window would show at the moment a dialog opened.
struct Snapshot {
    bool buttons;
    std::uint32_t colour;
    bool timer;
};

class StartUp : public ::testing::Test {
  protected:
    void SetUp() override { world.Put("app/newsounds/自定义/a.wav"); }
    // A QQ installation below the test's root with its six sounds one level up.
    std::filesystem::path InstallQQ(const std::string& folder, const std::string& exe) {
        for (const char* name : kQQBackupFiles)
            world.Put(folder + "/Misc/sound/" + name);
        return world.At(folder + "/Bin/" + exe);
    }
    void Start(std::unique_ptr<StandInProcess>& slot, const std::filesystem::path& exe) {
        slot = std::make_unique<StandInProcess>(exe);
        world.ownProcesses.Allow(slot->Pid());
    }

    TestWorld world;
    MainState& state = world.model.state;
};

TEST_F(StartUp, NoClientSaysSoFirstThenWaits) {
    std::vector<Snapshot> whileOpen;
    world.dialogs.onShow = [&](const auto&) {
        whileOpen.push_back(
            {state.TargetCommandButtonsEnabled, state.TargetStatusColour, state.Timer1Enabled});
    };
    FormShow(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    const auto& box = world.dialogs.shown[0];
    EXPECT_EQ(box.form, DialogForm::MessageBox);
    EXPECT_EQ(box.text,
              "没有发现QQ在运行，请先启动QQ。如果QQ已经在运行，那么请点击“手工指定程序……”。");
    EXPECT_EQ(box.buttons, mb::kOK | mb::kIconInformation);
    // While the box is open nothing has changed yet, and no tick can run.
    ASSERT_EQ(whileOpen.size(), 1u);
    EXPECT_TRUE(whileOpen[0].buttons);
    EXPECT_EQ(whileOpen[0].colour, colour::kBlack);
    EXPECT_FALSE(whileOpen[0].timer);

    EXPECT_FALSE(state.TargetCommandButtonsEnabled);
    EXPECT_EQ(state.TargetStatusColour, colour::kRed);
    EXPECT_EQ(state.TargetStatusText, "未选择程序");
    EXPECT_TRUE(state.Timer1Enabled);
    EXPECT_EQ(state.AppDir, world.appDir);
    EXPECT_EQ(state.LibrarySoundCount, 1);
}

TEST_F(StartUp, ListIsFilledFromTheWorkingFolderWithoutAClient) {
    world.Put("cwd/sound/msg.wav");
    world.Put("cwd/sound/ring.wav");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(world.At("cwd"));
    FormShow(world.model);
    std::filesystem::current_path(previous);
    std::vector<std::string> listed = state.TargetList;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"msg.wav", "ring.wav"}));
}

TEST_F(StartUp, ClientRunningAtStartIsAdoptedWithTheDesignedColour) {
    std::unique_ptr<StandInProcess> qq;
    const auto exe = InstallQQ("Tencent/QQ", "QQ.exe");
    Start(qq, exe);
    FormShow(world.model);

    EXPECT_TRUE(world.dialogs.shown.empty());
    EXPECT_EQ(state.TargetStatusText, exe.string());
    EXPECT_EQ(state.TargetSoundDir,
              world.At("Tencent/QQ/Bin").string() + NativePath("\\..\\Misc\\sound\\"));
    EXPECT_EQ(state.TargetStatusColour, colour::kBlack);
    EXPECT_TRUE(state.TargetCommandButtonsEnabled);
    EXPECT_FALSE(state.Timer1Enabled);
    EXPECT_EQ(state.TargetList.size(), 6u);
}

TEST_F(StartUp, TMClientIsAdoptedWhileTheKindStaysQQ) {
    std::unique_ptr<StandInProcess> tm;
    world.Put("Tencent/TM/Bin/TMsound/folder.wav");
    world.Put("Tencent/TM/Bin/TMsound/msg.wav");
    Start(tm, world.At("Tencent/TM/Bin/TM.exe"));
    FormShow(world.model);
    EXPECT_EQ(state.TargetSoundDir,
              world.At("Tencent/TM/Bin").string() + NativePath("\\TMsound\\"));
    EXPECT_EQ(state.TargetKind, kKindQQ);
    EXPECT_EQ(state.ComboIndex, 0);
    EXPECT_EQ(state.TargetList.size(), 2u);
}

TEST_F(StartUp, AClientStartedWhileWaitingIsAdoptedByTheNextTick) {
    FormShow(world.model);
    Timer1Timer(world.model);  // still nothing running
    EXPECT_TRUE(state.Timer1Enabled);
    EXPECT_FALSE(state.TargetCommandButtonsEnabled);

    std::unique_ptr<StandInProcess> qq;
    const auto exe = InstallQQ("QQ2009", "qq.exe");
    Start(qq, exe);
    Timer1Timer(world.model);
    EXPECT_FALSE(state.Timer1Enabled);
    EXPECT_TRUE(state.TargetCommandButtonsEnabled);
    EXPECT_EQ(state.TargetStatusColour, colour::kWindowText);
    EXPECT_EQ(state.TargetStatusText, exe.string());
    EXPECT_EQ(state.TargetList.size(), 6u);
}

TEST_F(StartUp, UnavailableProcessListIsTreatedAsNoClient) {
    world.ownProcesses.unavailable = true;
    FormShow(world.model);
    EXPECT_TRUE(state.Timer1Enabled);
    EXPECT_EQ(world.dialogs.shown.size(), 1u);
}

}  // namespace
}  // namespace sonatrix
