// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "config_db_world.h"
#include "platform/files.h"
#include "replace/config_db_repair.h"

namespace sonatrix {
namespace {

using namespace std::string_literals;
using testing::ConfigDbWorld;
using testing::DialogForm;
using testing::kAccount;
using testing::kResetQuestion;

constexpr const char* kNotFound = "当前qq配置文件没有找到。可能您输入的qq号有误，请重试看看。";

class ConfigDbRepair : public ::testing::Test {
  protected:
    // A settings file that records `folder` for msg.wav among other records.
    void Record(const std::string& folder) {
        world.WriteConfigDb("\x01\x02\0\0QQ\0D\0:\0\0"s + folder + "msg.wav\0\0\x7f"s);
    }
    void ExpectInput(std::size_t index) {
        const auto& input = world.Shown(index);
        EXPECT_EQ(input.form, DialogForm::InputQuery);
        EXPECT_EQ(input.caption, "请输入qq号码   ");
        EXPECT_EQ(input.text, "请输入当前登陆的QQ号来定位配置文件           ");
        EXPECT_EQ(input.buttons, 255u);
    }
    void ExpectResetQuestion(std::size_t index) {
        const auto& box = world.Shown(index);
        EXPECT_EQ(box.form, DialogForm::MessageBox);
        EXPECT_EQ(box.text, kResetQuestion);
        EXPECT_EQ(box.caption, "重置config文件");
        EXPECT_EQ(box.buttons, 0x31u);
    }

    ConfigDbWorld world;
    std::string& targetDir = world.model.state.TargetSoundDir;
};

TEST_F(ConfigDbRepair, RelocatesToTheRecordedFolderThroughTheDriveLink) {
    std::filesystem::create_directories(world.At("prefix/drive_c/QQsounds"));
    Record(world.WindowsPath("QQsounds\\"));
    world.dialogs.ThenText(kAccount);
    Button2Click(world.model);

    const std::string folder = world.FolderOf("prefix/drive_c/QQsounds");
    EXPECT_EQ(targetDir, folder);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    ExpectInput(0);
    EXPECT_EQ(world.Shown(1).form, DialogForm::PlainMessage);
    EXPECT_EQ(world.Shown(1).text, "路径已重定位到：" + folder);
    EXPECT_EQ(world.dialogs.busyCursorOn, 1);
    EXPECT_FALSE(world.dialogs.busy);
    EXPECT_TRUE(std::filesystem::exists(world.ConfigDb()));
}

struct ResetRow {
    const char* name;
    std::string bytes;  // with "<missing>" standing for a folder that is not there
    int answer;
    bool deleted;
};

class ResetQuestion : public ConfigDbRepair, public ::testing::WithParamInterface<ResetRow> {};

TEST_P(ResetQuestion, OkDeletesTheFileAndCancelKeepsIt) {
    std::string bytes = GetParam().bytes;
    if (const auto at = bytes.find("<missing>"); at != std::string::npos)
        bytes.replace(at, 9, world.WindowsPath("Missing\\"));
    world.WriteConfigDb(bytes);
    const std::string before = targetDir;
    world.dialogs.ThenText(kAccount).ThenId(GetParam().answer);
    Button2Click(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    ExpectResetQuestion(1);
    EXPECT_EQ(std::filesystem::exists(world.ConfigDb()), !GetParam().deleted);
    EXPECT_EQ(targetDir, before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ResetQuestion,
    ::testing::Values(
        ResetRow{"MissingFolderOk", "\0<missing>msg.wav\0"s, mb::kIdOK, true},
        ResetRow{"MissingFolderCancel", "\0<missing>msg.wav\0"s, mb::kIdCancel, false},
        ResetRow{"NoCandidate", "\0\x01no path here\0"s, mb::kIdOK, true},
        ResetRow{"CandidatesWithoutMsg", "\0<missing>\0C:\\x\\y.wav\0"s, mb::kIdOK, true},
        ResetRow{"EmptyFile", "", mb::kIdCancel, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigDbRepair, AWrongNumberIsAskedForAgainUntilCancel) {
    Record(world.WindowsPath("QQsounds\\"));
    world.dialogs.ThenText("99999").ThenText("1234").ThenText(std::nullopt);
    Button2Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 5u);
    for (std::size_t i : {0u, 2u, 4u})
        ExpectInput(i);
    for (std::size_t i : {1u, 3u}) {
        EXPECT_EQ(world.Shown(i).form, DialogForm::PlainMessage);
        EXPECT_EQ(world.Shown(i).text, kNotFound);
    }
    EXPECT_EQ(world.dialogs.busyCursorOn, 0);
}

TEST_F(ConfigDbRepair, WithoutATargetTheNumberIsAskedThenRefused) {
    targetDir.clear();
    world.dialogs.ThenText(kAccount);
    Button2Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    ExpectInput(0);
    EXPECT_EQ(world.Shown(1).form, DialogForm::PlainMessage);
    EXPECT_EQ(world.Shown(1).text,
              "当前qq路径无效，可能qq没在运行，请“手工指定程序”或者重新启动程序");
}

TEST_F(ConfigDbRepair, ATargetThatIsNotQQsFindsNoAccount) {
    // MSN's folder: dropping six characters names no account folder.
    world.Target("MSN Messenger", {"online.wav"});
    world.dialogs.ThenText(kAccount).ThenText("");
    Button2Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.Shown(1).text, kNotFound);
}

TEST_F(ConfigDbRepair, AFailedDeletionIsReportedWithTheReason) {
    world.WriteConfigDb("\0"s + world.WindowsPath("Missing\\") + "msg.wav\0"s);
    // While the question is open the file turns into a folder, which no
    // file deletion removes.
    world.dialogs.ThenText(kAccount).Then(
        {DlgResult::OK, mb::kIdOK, {}, [&] {
             std::filesystem::remove(world.ConfigDb());
             world.Put(world.ConfigDb().string().substr(world.root.Folder().size()) + "/keep");
         }});
    Button2Click(world.model);
    const int code = world.files->DeleteFile(world.ConfigDbPath());
    ASSERT_NE(code, 0);
    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    const auto& error = world.Shown(2);
    EXPECT_EQ(error.form, DialogForm::MessageDlg);
    EXPECT_EQ(error.caption, "Error");
    EXPECT_EQ(error.text, "删除失败：" + world.ConfigDbPath() + "\n" + SystemErrorText(code));
}

}  // namespace
}  // namespace sonatrix
