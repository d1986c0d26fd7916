// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "platform/files.h"
#include "replace/restore.h"
#include "target_world.h"

namespace sonatrix::testing {
namespace {

class RestoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Each backup file holds its own name, so every copy can be traced.
        for (const char* name : kQQBackupFiles)
            world.Put(std::string("app/qqsounds/") + name, std::string("qq:") + name);
        for (const char* name : kMsnBackupFiles)
            world.Put(std::string("app/msnsounds/") + name, std::string("msn:") + name);
        // QQ and MSN Messenger are found through the registry.
        world.registry.Set(kQQRegistry.key, kQQRegistry.value, StringValue(world.Dir("QQ")));
        world.registry.Set(kMsnRegistry.key, kMsnRegistry.value, StringValue(world.Dir("MSN")));
        for (const char* name : kQQBackupFiles)
            world.Put(std::string("QQ/sound/") + name, "old");
        for (const char* name : kMsnBackupFiles)
            world.Put(std::string("MSN/") + name, "old");
        world.Put("QQ/sound/mine.wav", "mine");

        // Some other program is the target.
        state.TargetSoundDir = world.Dir("Other");
        state.TargetStatusText = world.Path("Other/other.exe");
        state.TargetList = {"a.wav"};
    }
    void ExpectTargetUntouched() {
        EXPECT_EQ(state.TargetSoundDir, world.Dir("Other"));
        EXPECT_EQ(state.TargetStatusText, world.Path("Other/other.exe"));
        EXPECT_EQ(state.TargetList, std::vector<std::string>{"a.wav"});
    }
    std::vector<std::string> Texts() const { return world.dialogs.Texts(); }

    TargetWorld world;
    MainState& state = world.model.state;
};

TEST_F(RestoreTest, RestoreQQCopiesTheSixFilesAndLeavesTheRest) {
    SpeedButton4Click(world.model);
    for (const char* name : kQQBackupFiles)
        EXPECT_EQ(world.Read(std::string("QQ/sound/") + name), std::string("qq:") + name);
    EXPECT_EQ(world.Read("QQ/sound/mine.wav"), "mine");
    EXPECT_EQ(Texts(), std::vector<std::string>{"Information:已还原。"});
    ExpectTargetUntouched();
}

TEST_F(RestoreTest, RowsAreCopiedInTableOrderAndEachFailureIsReported) {
    // QQ's folder is gone: every row fails, in order, and the end is still shown.
    std::filesystem::remove_all(world.base.At("QQ"));
    SpeedButton4Click(world.model);
    // The system's word for a folder that is gone (Windows: "path", not "file").
    const std::string missing = SystemErrorText(world.base.files->CopyFile(
        world.Path("app/qqsounds/call.wav"), world.Path("QQ/sound/x.wav")));
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"Error:call.wav" + missing, "Error:folder.wav" + missing,
                                        "Error:Global.wav" + missing, "Error:msg.wav" + missing,
                                        "Error:ring.wav" + missing, "Error:system.wav" + missing,
                                        "Information:已还原。"}));
    ExpectTargetUntouched();
}

TEST_F(RestoreTest, RestoreMsnGoesOnPastAMissingBackup) {
    std::filesystem::remove(world.base.At("app/msnsounds/nudge.wav"));
    SpeedButton14Click(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].caption, "Error");
    EXPECT_EQ(world.dialogs.shown[0].text, "nudge.wav" + SystemErrorText(FileNotFoundCode()));
    EXPECT_EQ(world.dialogs.shown[1].caption, "Information");
    EXPECT_EQ(world.dialogs.shown[1].text, "msn声音已还原。");
    for (const char* name : kMsnBackupFiles) {
        const std::string expected =
            std::string(name) == "nudge.wav" ? "old" : std::string("msn:") + name;
        EXPECT_EQ(world.Read(std::string("MSN/") + name), expected) << name;
    }
    ExpectTargetUntouched();
}

TEST_F(RestoreTest, CrossTablesGiveTheSameResultInEitherOrder) {
    for (bool qqFirst : {true, false}) {
        SCOPED_TRACE(qqFirst ? "QQ first" : "MSN first");
        if (qqFirst) {
            SpeedButton16Click(world.model);
            SpeedButton15Click(world.model);
        } else {
            SpeedButton15Click(world.model);
            SpeedButton16Click(world.model);
        }
        EXPECT_EQ(world.Read("QQ/sound/folder.wav"), "msn:newalert.wav");
        EXPECT_EQ(world.Read("QQ/sound/Global.wav"), "msn:online.wav");
        EXPECT_EQ(world.Read("QQ/sound/msg.wav"), "msn:type.wav");
        EXPECT_EQ(world.Read("QQ/sound/system.wav"), "msn:newemail.wav");
        EXPECT_EQ(world.Read("QQ/sound/call.wav"), "old");
        EXPECT_EQ(world.Read("QQ/sound/ring.wav"), "old");
        EXPECT_EQ(world.Read("MSN/newalert.wav"), "qq:system.wav");
        EXPECT_EQ(world.Read("MSN/online.wav"), "qq:Global.wav");
        EXPECT_EQ(world.Read("MSN/type.wav"), "qq:msg.wav");
        EXPECT_EQ(world.Read("MSN/newemail.wav"), "qq:folder.wav");
        for (const char* untouched : {"nudge.wav", "phone.wav", "ring.wav", "vimdone.wav"})
            EXPECT_EQ(world.Read(std::string("MSN/") + untouched), "old") << untouched;
        ExpectTargetUntouched();
    }
    const std::vector<std::string> oneRound{"Information:QQ使用了MSN音效。",
                                            "Information:MSN使用了QQ音效。"};
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{oneRound[0], oneRound[1], oneRound[1], oneRound[0]}));
}

struct FailureRow {
    const char* name;
    void (*handler)(MainModel&);
    bool qq;
    const char* text;
};

class RestoreFailure : public RestoreTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(RestoreFailure, NoFolderWarnsAndCopiesNothing) {
    const FailureRow& row = GetParam();
    const RegistryLocation where = row.qq ? kQQRegistry : kMsnRegistry;
    world.registry.Set(where.key, where.value, StringValue(""));
    world.dialogs.ThenId(mb::kIdNo);
    row.handler(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::MessageBox);
    EXPECT_EQ(world.dialogs.shown[1].caption, "Warning");
    EXPECT_EQ(world.dialogs.shown[1].text, row.text);
    EXPECT_EQ(world.dialogs.shown[1].buttons, kDlgOK);
    EXPECT_EQ(world.Read("QQ/sound/msg.wav"), "old");
    EXPECT_EQ(world.Read("MSN/type.wav"), "old");
    ExpectTargetUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RestoreFailure,
    ::testing::Values(
        FailureRow{"RestoreQQ", SpeedButton4Click, true, "无效的qq路径，还原失败。"},
        FailureRow{"RestoreMsn", SpeedButton14Click, false, "无效的MSN安装路径，还原失败。"},
        FailureRow{"QQUsesMsn", SpeedButton16Click, true, "无效的qq路径，操作失败。"},
        FailureRow{"MsnUsesQQ", SpeedButton15Click, false, "无效的msn路径，操作失败。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RestoreTest, ARegistryErrorEndsTheCommandWithoutFurtherDialogs) {
    world.registry.Set(kMsnRegistry.key, kMsnRegistry.value,
                       {RegistryValue::Status::OtherType, ""});
    SpeedButton15Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::AppError);
    EXPECT_EQ(world.Read("MSN/type.wav"), "old");
    ExpectTargetUntouched();
}

TEST_F(RestoreTest, AClientAdoptedByAPollTickDuringTheQuestionIsKept) {
    // Waiting for a client; MSN is not found anywhere; while the question is
    // open a tick adopts a QQ that has just started.
    world.registry.Set(kMsnRegistry.key, kMsnRegistry.value, StringValue(""));
    state.TargetSoundDir.clear();
    state.Timer1Enabled = true;
    world.Put("QQ/Misc/sound/msg.wav");
    std::unique_ptr<StandInProcess> qq;
    world.dialogs.Then({DlgResult::OK, mb::kIdNo, {}, [&] {
                            qq = world.Start("QQ/Bin/QQ.exe");
                            Timer1Timer(world.model);
                        }});
    SpeedButton14Click(world.model);

    EXPECT_EQ(state.TargetStatusText, world.Path("QQ/Bin/QQ.exe"));
    EXPECT_EQ(state.TargetSoundDir, world.Dir("QQ/Bin/../Misc/sound"));
    EXPECT_FALSE(state.Timer1Enabled);
    EXPECT_EQ(Texts().back(), "Warning:无效的MSN安装路径，还原失败。");
}

TEST_F(RestoreTest, CopyToTMFillsTheTMsoundFolderBesideTheProgram) {
    for (const char* name : kCopyToTMFiles)
        world.Put(std::string("TM/Bin/sound/") + name, std::string("new:") + name);
    world.Put("TM/Bin/TMsound/folder.wav", "old");
    state.TargetStatusText = world.Path("TM/Bin/TM.exe");
    state.TargetSoundDir = world.Dir("TM/Bin/sound");

    SpeedButton13Click(world.model);

    for (const char* name : kCopyToTMFiles)
        EXPECT_EQ(world.Read(std::string("TM/Bin/TMsound/") + name), std::string("new:") + name);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Information:复制完毕。"});
    EXPECT_EQ(state.TargetSoundDir, world.Dir("TM/Bin/sound"));
}

TEST_F(RestoreTest, CopyToTMWithoutATargetOffersThePicker) {
    state.TargetSoundDir.clear();
    state.TargetStatusText = kNoProgramChosen;
    world.dialogs.ThenId(mb::kIdYes).ThenText("");
    SpeedButton13Click(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::MessageBox);
    EXPECT_EQ(world.dialogs.shown[0].caption, "询问");
    EXPECT_EQ(world.dialogs.shown[0].text, "当前没有可替换的QQ声音，是否手工指定程序？");
    EXPECT_EQ(world.dialogs.shown[0].buttons, mb::kYesNo);
    EXPECT_EQ(world.dialogs.shown[1].form, DialogForm::Picker);
}

}  // namespace
}  // namespace sonatrix::testing
