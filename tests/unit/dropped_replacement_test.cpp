// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "library/add_sounds.h"
#include "library/wav_header.h"
#include "platform/path_pieces.h"
#include "replace/dropped_replacement.h"
#include "replace_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::ReplaceWorld;

class DroppedReplacement : public ::testing::Test {
  protected:
    void SetUp() override {
        world.Library("自定义/a.wav");
        world.Target("QQ/sound", {"msg.wav", "ring.wav"});
    }
    std::string Confirmation(const std::string& library, const std::string& target) {
        return "点击“OK”按钮，将用声音 " + library + "替换掉 " + target;
    }

    ReplaceWorld world;
};

TEST_F(DroppedReplacement, LibrarySoundOnAnItemReplacesItAfterTheConfirmation) {
    world.dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);
    ListBox1DropLibrarySound(world.model, 1, NativePath("自定义\\a.wav"));

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.Shown(0).caption, "Confirm");
    EXPECT_EQ(world.Shown(0).text, Confirmation(NativePath("自定义\\a.wav"), "ring.wav"));
    EXPECT_EQ(world.Shown(1).caption, "ok");  // the follow-up question
    EXPECT_EQ(world.Content("QQ/sound/ring.wav"), "library:自定义/a.wav");
    EXPECT_EQ(world.Content("QQ/sound/msg.wav"), ReplaceWorld::Old("msg.wav"));
    // The drop chose both halves, as clicks would.
    EXPECT_EQ(world.model.state.SelectedTargetSound, "ring.wav");
    EXPECT_EQ(world.model.state.SelectedLibrarySound, NativePath("自定义\\a.wav"));
}

TEST_F(DroppedReplacement, TheChecksOfTheReplacementStillHold) {
    // A folder of the library is not a sound.
    ListBox1DropLibrarySound(world.model, 0, "自定义");
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.Shown(0).text, "请在新声音列表内选择一个新的声音。");
    // Cancel copies nothing.
    world.dialogs.ThenResult(DlgResult::Cancel);
    ListBox1DropLibrarySound(world.model, 0, NativePath("自定义\\a.wav"));
    EXPECT_EQ(world.Content("QQ/sound/msg.wav"), ReplaceWorld::Old("msg.wav"));
    // A drop beside the items does nothing at all.
    ListBox1DropLibrarySound(world.model, 5, NativePath("自定义\\a.wav"));
    EXPECT_EQ(world.dialogs.shown.size(), 2u);
}

TEST_F(DroppedReplacement, FileFromOutsideIsConvertedIntoTheLibraryAndThatIsCopied) {
    world.Put("outside/chime.flac", "TONE 1 22050 50");
    world.dialogs.ThenResult(DlgResult::OK).ThenId(mb::kIdOK);
    ListBox1DropFile(world.model, 0, world.At("outside/chime.flac").string());

    const std::string added = NativePath("自定义\\chime.wav");
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.Shown(0).text, Confirmation(added, "msg.wav"));
    const std::string converted = world.Content("app/newsounds/自定义/chime.wav");
    EXPECT_EQ(converted.substr(0, 4), "RIFF");
    EXPECT_EQ(world.Content("QQ/sound/msg.wav"), converted);
    // The tree shows the new library sound.
    EXPECT_EQ(world.model.state.LibrarySoundCount, 2);
}

TEST_F(DroppedReplacement, FileThatCannotBeAddedIsReportedAndReplacesNothing) {
    world.Put("outside/bad.mp3", "hello, this is text");
    ListBox1DropFile(world.model, 0, world.At("outside/bad.mp3").string());
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.Shown(0).caption, "Error");
    EXPECT_EQ(world.Shown(0).text, "以下声音文件没有添加成功：\nbad.mp3：不是能识别的声音文件");
    EXPECT_EQ(world.Content("QQ/sound/msg.wav"), ReplaceWorld::Old("msg.wav"));
}

TEST_F(DroppedReplacement, WithoutATargetNothingIsConverted) {
    world.model.state.TargetSoundDir.clear();
    world.Put("outside/chime.flac", "TONE 1 22050 50");
    world.dialogs.ThenId(mb::kIdNo);
    ListBox1DropFile(world.model, 0, world.At("outside/chime.flac").string());
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.Shown(0).text, "当前没有可替换的QQ声音，是否手工指定程序？");
    EXPECT_EQ(world.decoder.calls, 0);
    EXPECT_FALSE(std::filesystem::exists(world.At("app/newsounds/自定义/chime.wav")));
}

}  // namespace
}  // namespace sonatrix
