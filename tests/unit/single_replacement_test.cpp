// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/single_replacement.h"
#include "replace_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::ReplaceWorld;

constexpr const char* kFollowUp =
    "替换成功，是否有效？如果对您的qq无效，请点击“取消”按钮来重设qq目录";

class SingleReplacement : public ::testing::Test {
  protected:
    void SetUp() override {
        world.Library("自定义/a.wav");
        world.Target("QQ/sound", {"msg.wav", "ring.wav"});
        Choose(NativePath("自定义\\a.wav"), "msg.wav");
    }
    void Choose(const std::string& library, const std::string& target) {
        world.model.state.SelectedLibrarySound = library;
        world.model.state.SelectedTargetSound = target;
    }
    bool Untouched() {
        return world.Content("QQ/sound/msg.wav") == ReplaceWorld::Old("msg.wav") &&
               world.Content("QQ/sound/ring.wav") == ReplaceWorld::Old("ring.wav");
    }

    ReplaceWorld world;
};

struct NoTargetRow {
    const char* name;
    int answer;
    bool picker;
};

class NoTarget : public SingleReplacement, public ::testing::WithParamInterface<NoTargetRow> {};

TEST_P(NoTarget, AsksFirstWhateverIsSelectedAndDoesNotResume) {
    world.model.state.TargetSoundDir.clear();
    world.dialogs.ThenId(GetParam().answer);
    // The picker adopts the client folder; the replacement must not go on.
    if (GetParam().picker)
        world.dialogs.ThenText(world.At("QQ/sound/msg.wav").string());
    M_replace89(world.model);

    const auto& box = world.Shown(0);
    EXPECT_EQ(box.form, DialogForm::MessageBox);
    EXPECT_EQ(box.text, "当前没有可替换的QQ声音，是否手工指定程序？");
    EXPECT_EQ(box.caption, "询问");
    EXPECT_EQ(box.buttons, mb::kYesNo);
    if (GetParam().picker) {
        ASSERT_EQ(world.dialogs.shown.size(), 2u);
        EXPECT_EQ(world.Shown(1).form, DialogForm::Picker);
        EXPECT_EQ(world.model.state.TargetSoundDir, world.FolderOf("QQ/sound"));
    } else {
        EXPECT_EQ(world.dialogs.shown.size(), 1u);
        EXPECT_EQ(world.model.state.TargetSoundDir, "");
    }
    EXPECT_TRUE(Untouched());
}

INSTANTIATE_TEST_SUITE_P(Answers, NoTarget,
                         ::testing::Values(NoTargetRow{"No", mb::kIdNo, false},
                                           NoTargetRow{"Yes", mb::kIdYes, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LibraryChoiceRow {
    const char* name;
    const char* chosen;  // backslash-separated
    bool accepted;
};

class LibraryChoice : public SingleReplacement,
                      public ::testing::WithParamInterface<LibraryChoiceRow> {};

TEST_P(LibraryChoice, OnlyAWavFileInAnyLetterCaseGoesOn) {
    world.Library("自定义/LOUD.WAV");
    world.Library("自定义/b.txt");
    world.Library("自定义.wav/inner.wav");
    Choose(NativePath(GetParam().chosen), "msg.wav");
    M_replace89(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    if (GetParam().accepted) {
        EXPECT_EQ(world.Shown(0).caption, "Confirm");
    } else {
        EXPECT_EQ(world.Shown(0).form, DialogForm::PlainMessage);
        EXPECT_EQ(world.Shown(0).text, "请在新声音列表内选择一个新的声音。");
    }
    EXPECT_TRUE(Untouched());  // the Confirm dialog was answered Cancel
}

INSTANTIATE_TEST_SUITE_P(
    Choices, LibraryChoice,
    ::testing::Values(LibraryChoiceRow{"Capitals", "自定义\\LOUD.WAV", true},
                      LibraryChoiceRow{"OtherExtension", "自定义\\b.txt", false},
                      LibraryChoiceRow{"CategoryFolder", "自定义", false},
                      LibraryChoiceRow{"DotInFolderOnly", "自定义.wav\\inner", false},
                      LibraryChoiceRow{"NothingYet", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleReplacement, NoTargetSoundChosenSaysWhereToChoose) {
    Choose(NativePath("自定义\\a.wav"), "");
    M_replace89(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.Shown(0).form, DialogForm::PlainMessage);
    EXPECT_EQ(world.Shown(0).text, "请在右边QQ或MSN声音列表内选择一个要替换的声音。");
}

TEST_F(SingleReplacement, CancelInTheConfirmationCopiesNothing) {
    world.dialogs.ThenResult(DlgResult::Cancel);
    M_replace89(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    const auto& confirm = world.Shown(0);
    EXPECT_EQ(confirm.form, DialogForm::MessageDlg);
    EXPECT_EQ(confirm.caption, "Confirm");
    EXPECT_EQ(confirm.buttons, kDlgOK | kDlgCancel);
    // The library path runs straight into "替换掉 ".
    EXPECT_EQ(confirm.text,
              "点击“OK”按钮，将用声音 " + NativePath("自定义\\a.wav") + "替换掉 msg.wav");
    EXPECT_TRUE(Untouched());
}

TEST_F(SingleReplacement, OkCopiesThenOkInTheFollowUpEnds) {
    world.dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);
    M_replace89(world.model);
    EXPECT_EQ(world.Content("QQ/sound/msg.wav"), "library:自定义/a.wav");
    EXPECT_EQ(world.Content("QQ/sound/ring.wav"), ReplaceWorld::Old("ring.wav"));
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    const auto& followUp = world.Shown(1);
    EXPECT_EQ(followUp.form, DialogForm::MessageBox);
    EXPECT_EQ(followUp.text, kFollowUp);
    EXPECT_EQ(followUp.caption, "ok");
    EXPECT_EQ(followUp.buttons, 0x41u);
    // The two choices stay, so the same replacement can be repeated.
    EXPECT_EQ(world.model.state.SelectedTargetSound, "msg.wav");
    EXPECT_EQ(world.model.state.SelectedLibrarySound, NativePath("自定义\\a.wav"));
}

TEST_F(SingleReplacement, CancelInTheFollowUpStartsTheRepair) {
    world.dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdCancel).ThenText("");
    M_replace89(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.Shown(2).form, DialogForm::InputQuery);
    EXPECT_EQ(world.Shown(2).caption, "请输入qq号码   ");
}

TEST_F(SingleReplacement, DeletedLibraryFileGivesOnlyTheSystemsText) {
    std::filesystem::remove(world.At("app/newsounds/自定义/a.wav"));
    world.dialogs.ThenResult(DlgResult::OK);
    M_replace89(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);  // no follow-up question
    const auto& error = world.Shown(1);
    EXPECT_EQ(error.form, DialogForm::MessageDlg);
    EXPECT_EQ(error.caption, "Error");
    EXPECT_EQ(error.buttons, kDlgOK);
    EXPECT_FALSE(SystemErrorText(FileNotFoundCode()).empty());
    EXPECT_EQ(error.text, SystemErrorText(FileNotFoundCode()));
    EXPECT_TRUE(Untouched());
}

TEST_F(SingleReplacement, StaleTargetSoundIsCreatedInTheNewFolder) {
    world.Target("MSN", {"online.wav"});
    world.dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);
    M_replace89(world.model);
    EXPECT_EQ(world.Content("MSN/msg.wav"), "library:自定义/a.wav");
    EXPECT_TRUE(Untouched());
}

TEST_F(SingleReplacement, ATargetAdoptedDuringTheConfirmationIsTheOneWritten) {
    std::filesystem::create_directories(world.At("TM/TMsound"));
    world.dialogs.Then({DlgResult::OK, mb::kIdOK, {}, [&] {
                            world.model.state.TargetSoundDir = world.FolderOf("TM/TMsound");
                        }});
    world.dialogs.ThenId(mb::kIdOK);
    M_replace89(world.model);
    EXPECT_EQ(world.Content("TM/TMsound/msg.wav"), "library:自定义/a.wav");
    EXPECT_TRUE(Untouched());
}

}  // namespace
}  // namespace sonatrix
