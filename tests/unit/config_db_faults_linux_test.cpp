// SPDX-License-Identifier: GPL-3.0-or-later
// QQ's settings file is the one user file the program may delete: only
// after "OK" on the reset question, only that file, and a deletion that
// fails is said so while the file stays whole.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "config_db_world.h"
#include "mounts.h"
#include "platform/files.h"
#include "replace/config_db_repair.h"
#include "tree_snapshot.h"

namespace sonatrix {
namespace {

// The user's data folder, where the program keeps what it replaced.
const std::string kStore = "userdata";

using namespace std::string_literals;
using testing::ConfigDbWorld;
using testing::DialogForm;
using testing::kAccount;
using testing::ScopedMount;
using testing::TakeSnapshot;
using testing::TreeSnapshot;

struct ConsentRow {
    const char* name;
    const char* recorded;  // the folder the file records, below drive C:
    bool recordedExists;
    std::optional<int> answer;  // to the reset question, when it is asked
    bool deleted;
};

class ConfigDbConsent : public ::testing::TestWithParam<ConsentRow> {
  protected:
    ConfigDbWorld world;
};

TEST_P(ConfigDbConsent, OnlyOkOnTheResetQuestionDeletesAndOnlyTheSettingsFile) {
    const ConsentRow& row = GetParam();
    if (row.recordedExists)
        std::filesystem::create_directories(world.At("prefix/drive_c/"s + row.recorded));
    world.WriteConfigDb("\x01\0"s + world.WindowsPath(std::string(row.recorded) + "\\") +
                        "msg.wav\0tail"s);
    world.dialogs.ThenText(kAccount);
    if (row.answer)
        world.dialogs.ThenId(*row.answer);
    const TreeSnapshot before = TakeSnapshot(world.root.Path(), kStore);
    Button2Click(world.model);

    TreeSnapshot wanted = before;
    if (row.deleted)
        wanted.erase(std::filesystem::relative(world.ConfigDb(), world.root.Path()).string());
    EXPECT_EQ(TakeSnapshot(world.root.Path(), kStore), wanted);
    EXPECT_EQ(world.dialogs.Pending(), 0u) << "the reset question was not asked";
    EXPECT_EQ(world.dialogs.unanswered, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ConfigDbConsent,
    ::testing::Values(ConsentRow{"CancelKeepsTheFile", "Missing", false, mb::kIdCancel, false},
                      ConsentRow{"OkDeletesOnlyTheFile", "Missing", false, mb::kIdOK, true},
                      ConsentRow{"ARelocationDeletesNothing", "QQsounds", true, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigDbFaults, AFileThatCannotBeDeletedIsSaidSoAndKeptWhole) {
    if (!ScopedMount::Available())
        GTEST_SKIP() << "mounting is not permitted here";
    ConfigDbWorld world;
    const std::string bytes = "\x01\0"s + world.WindowsPath("Missing\\") + "msg.wav\0tail"s;
    world.WriteConfigDb(bytes);
    auto readOnly = ScopedMount::ReadOnly(world.ConfigDb().parent_path());
    ASSERT_TRUE(readOnly.Mounted());
    world.dialogs.ThenText(kAccount).ThenId(mb::kIdOK);
    const TreeSnapshot before = TakeSnapshot(world.root.Path(), kStore);
    Button2Click(world.model);

    ASSERT_EQ(world.dialogs.shown.size(), 3u);
    EXPECT_EQ(world.Shown(2).form, DialogForm::MessageDlg);
    EXPECT_EQ(world.Shown(2).caption, "Error");
    EXPECT_EQ(world.Shown(2).text,
              "删除失败：" + world.ConfigDbPath() + "\n" + SystemErrorText(EROFS));
    EXPECT_EQ(TakeSnapshot(world.root.Path(), kStore), before);
}

}  // namespace
}  // namespace sonatrix
