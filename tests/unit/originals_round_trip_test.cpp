// SPDX-License-Identifier: GPL-3.0-or-later
// Every command that writes into a client's folder keeps what it replaced:
// "全部恢复原始声音" gives the first bytes back, undo walks the changes back
// one by one, latest first, also after a restart, and never writes over
// what something else changed without asking.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/target_list.h"
#include "originals_world.h"

namespace sonatrix::testing {
namespace {

const std::vector<std::string> kThemeFiles{"msg.wav",    "Global.wav", "folder.wav",
                                           "system.wav", "ring.wav",   "call.wav"};

std::string Lines(const std::vector<std::string>& names) {
    std::string lines;
    for (const std::string& name : names)
        lines += "\n" + name;
    return lines;
}

std::set<std::string> ChangedNames(const TreeSnapshot& before, const TreeSnapshot& after) {
    std::set<std::string> changed;
    for (const auto& [name, bytes] : before)
        if (!after.contains(name) || after.at(name) != bytes)
            changed.insert(name);
    for (const auto& [name, bytes] : after)
        if (!before.contains(name))
            changed.insert(name);
    return changed;
}

class EveryCommand : public ::testing::TestWithParam<CommandCase> {
  protected:
    OriginalsWorld world;
};

TEST_P(EveryCommand, KeepsTheOriginalsGivesThemBackAndUndoes) {
    const CommandCase& command = GetParam();
    const TreeSnapshot before = world.Snapshot(command.folder);
    world.Run(command.command);
    const TreeSnapshot after = world.Snapshot(command.folder);
    const std::set<std::string> changed = ChangedNames(before, after);
    ASSERT_FALSE(changed.empty()) << "the command changed nothing";

    // One entry, under the name the user knows, naming exactly what changed.
    const std::vector<JournalEntry> journal = world.Journal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].name, command.caption);
    const std::string key = world.Store().KeyOf(world.Dir(command.folder));
    EXPECT_EQ(journal[0].folder, key);
    std::set<std::string> journaled;
    for (const FileChange& change : journal[0].files)
        journaled.insert(change.name);
    EXPECT_EQ(journaled, changed);

    // The store holds each changed file's first bytes, or that it was not there.
    FolderOriginals originals;
    ASSERT_EQ(world.Store().ReadOriginals(key, originals), 0);
    for (const std::string& name : changed) {
        const FolderOriginals::Original* original = OriginalNamed(originals, name);
        ASSERT_NE(original, nullptr) << name;
        if (before.contains(name))
            EXPECT_EQ(world.KeptBytes(original->content), before.at(name)) << name;
        else
            EXPECT_EQ(original->content, kAbsent) << name;
    }

    world.RestoreAll(command.folder);
    EXPECT_EQ(world.Snapshot(command.folder), before) << "restored byte for byte";
    EXPECT_EQ(world.LastShown().text, "已恢复原始声音。");
    world.Undo();
    EXPECT_EQ(world.Snapshot(command.folder), after) << "the restore taken back";
    world.Undo();
    EXPECT_EQ(world.Snapshot(command.folder), before) << "the command taken back";
    EXPECT_EQ(world.LastShown().text, std::string("已撤销：") + command.caption);

    world.dialogs.shown.clear();
    UndoLastChangeClick(world.model);
    EXPECT_EQ(world.Texts(), std::vector<std::string>{"Information:没有可以撤销的更改。"});
}

INSTANTIATE_TEST_SUITE_P(Commands, EveryCommand, ::testing::ValuesIn(EveryWriteCommand()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UndoOriginals, TwoThemesAreUndoneLatestFirstAndTheListShowsTheDisk) {
    OriginalsWorld world;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    SpeedButton5Click(world.model);  // 山村静夜
    const TreeSnapshot between = world.Snapshot(kClientSound);
    SpeedButton10Click(world.model);  // 烈火金刚
    world.SetTarget(kClientSound);
    world.dialogs.shown.clear();

    world.Undo();
    EXPECT_EQ(world.Snapshot(kClientSound), between);
    world.Undo();
    EXPECT_EQ(world.Snapshot(kClientSound), before);
    EXPECT_EQ(world.Texts(),
              (std::vector<std::string>{
                  "Confirm:将撤销“烈火金刚”对以下声音的更改：" + Lines(kThemeFiles),
                  "Information:已撤销：烈火金刚",
                  // "call.wav" holds what 山村静夜 wrote: 烈火金刚 took it from there.
                  "Confirm:将撤销“山村静夜”对以下声音的更改：" + Lines(kThemeFiles),
                  "Information:已撤销：山村静夜"}));
    // "call.wav" did not exist before the themes: it is gone, from the disk
    // and from the list.
    const auto& list = world.model.state.TargetList;
    EXPECT_EQ(std::count(list.begin(), list.end(), "call.wav"), 0);
    EXPECT_EQ(list.size(), before.size());
}

struct BehindRow {
    const char* name;
    DlgResult second;  // the answer about the file changed since
    bool putBack;
};

class ChangedBehindTheProgramsBack : public ::testing::TestWithParam<BehindRow> {};

TEST_P(ChangedBehindTheProgramsBack, IsListedApartAndOnlyUndoneWhenConfirmedToo) {
    const BehindRow& row = GetParam();
    OriginalsWorld world;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    SpeedButton5Click(world.model);
    world.Put(std::string(kClientSound) + "/msg.wav", "the user's own sound");
    world.dialogs.shown.clear();

    world.dialogs.ThenResult(DlgResult::OK).ThenResult(row.second);
    UndoLastChangeClick(world.model);
    const std::vector<std::string> others(kThemeFiles.begin() + 1, kThemeFiles.end());
    EXPECT_EQ(world.Texts(),
              (std::vector<std::string>{
                  "Confirm:将撤销“山村静夜”对以下声音的更改：" + Lines(others),
                  "Confirm:以下声音在“山村静夜”之后又被改动过，是否也撤销对它们的更改：\nmsg.wav",
                  "Information:已撤销：山村静夜"}));
    TreeSnapshot wanted = before;
    if (!row.putBack)
        wanted["msg.wav"] = "the user's own sound";
    EXPECT_EQ(world.Snapshot(kClientSound), wanted);

    // Either way the entry is done with.
    world.dialogs.shown.clear();
    UndoLastChangeClick(world.model);
    EXPECT_EQ(world.Texts(), std::vector<std::string>{"Information:没有可以撤销的更改。"});
}

INSTANTIATE_TEST_SUITE_P(Answers, ChangedBehindTheProgramsBack,
                         ::testing::Values(BehindRow{"CancelLeavesIt", DlgResult::Cancel, false},
                                           BehindRow{"OkPutsItBack", DlgResult::OK, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UndoOriginals, OnlyFilesChangedSinceAreAskedAboutOnce) {
    OriginalsWorld world;
    SpeedButton5Click(world.model);
    for (const std::string& name : kThemeFiles)
        world.Put(std::string(kClientSound) + "/" + name, "changed since");
    const TreeSnapshot changed = world.Snapshot(kClientSound);
    world.dialogs.shown.clear();

    // Nothing still holds what the theme wrote: the one question is the
    // second one, and Cancel there undoes nothing and keeps the entry.
    world.dialogs.ThenResult(DlgResult::Cancel);
    UndoLastChangeClick(world.model);
    EXPECT_EQ(world.Texts(), std::vector<std::string>{
                                 "Confirm:以下声音在“山村静夜”之后又被改动过，是否也撤销对它们的"
                                 "更改：" +
                                 Lines(kThemeFiles)});
    EXPECT_EQ(world.Snapshot(kClientSound), changed);
    EXPECT_EQ(world.NextUndo(), "山村静夜");
}

TEST(UndoOriginals, CancelChangesNothing) {
    OriginalsWorld world;
    SpeedButton5Click(world.model);
    const TreeSnapshot after = world.Snapshot(kClientSound);

    world.dialogs.ThenResult(DlgResult::Cancel);
    UndoLastChangeClick(world.model);
    world.dialogs.ThenResult(DlgResult::Cancel);
    RestoreAllOriginalsClick(world.model);
    EXPECT_EQ(world.Snapshot(kClientSound), after);
    ASSERT_EQ(world.Journal().size(), 1u);
    EXPECT_EQ(world.NextUndo(), "山村静夜");
}

TEST(RestoreOriginals, TheSoundClickedOnAloneAndNothingWhereNothingWasKept) {
    OriginalsWorld world;
    const TreeSnapshot before = world.Snapshot(kClientSound);
    SpeedButton5Click(world.model);
    world.SetTarget(kClientSound);
    TreeSnapshot wanted = world.Snapshot(kClientSound);
    wanted["msg.wav"] = before.at("msg.wav");
    world.dialogs.shown.clear();

    world.dialogs.ThenResult(DlgResult::OK);
    RestoreOriginalClick(world.model, RowOf(world.model, "msg.wav"));
    EXPECT_EQ(world.Snapshot(kClientSound), wanted);
    RestoreOriginalClick(world.model, RowOf(world.model, "mine.wav"));
    EXPECT_EQ(world.Texts(),
              (std::vector<std::string>{"Confirm:将恢复以下声音的原始文件：\nmsg.wav",
                                        "Information:已恢复原始声音。",
                                        "Information:没有保存过这里的原始声音。"}));
    EXPECT_EQ(world.Journal().back().name, "恢复原始声音");

    // A folder where nothing was ever changed, and no target at all.
    world.dialogs.shown.clear();
    world.SetTarget(kClientTM);
    RestoreAllOriginalsClick(world.model);
    world.model.state.TargetSoundDir.clear();
    RestoreAllOriginalsClick(world.model);
    EXPECT_EQ(world.Texts(),
              (std::vector<std::string>(2, "Information:没有保存过这里的原始声音。")));
}

// The acceptance of a TM user: their own sounds, 随机换音, a restart, and
// every file back as it was, with nothing else left in the client's folder.
TEST(RestoreOriginals, ANewProgramInstanceRestoresWhatAnEarlierOneChanged) {
    OriginalsWorld world;
    for (const char* name : {"Global.wav", "system.wav", "自己的.wav"})
        world.Put(std::string(kClientTM) + "/" + name, OriginalsWorld::First(name));
    const TreeSnapshot client = world.Snapshot("client");
    const TreeSnapshot before = world.Snapshot(kClientTM);
    world.SetTarget(kClientTM);
    world.dialogs.ThenId(mb::kIdYes);
    Button3Click(world.model);
    ASSERT_NE(world.Snapshot(kClientTM), before);

    // Quit, and start again over the same store.
    MainModel restarted(world.model.svc, world.base.appDir, world.base.dataDir);
    restarted.state.AppDir = world.base.appDir;
    restarted.state.TargetSoundDir = world.Dir(kClientTM);
    M_list_qqshund(restarted);
    world.dialogs.ThenResult(DlgResult::OK);
    RestoreAllOriginalsClick(restarted);
    EXPECT_EQ(world.Snapshot(kClientTM), before);
    EXPECT_EQ(world.Snapshot("client"), client);

    // And undo, from yet another instance, takes the restore back.
    MainModel third(world.model.svc, world.base.appDir, world.base.dataDir);
    world.dialogs.ThenResult(DlgResult::OK);
    UndoLastChangeClick(third);
    EXPECT_NE(world.Snapshot(kClientTM), before);
    world.dialogs.ThenResult(DlgResult::OK);
    UndoLastChangeClick(third);
    EXPECT_EQ(world.Snapshot(kClientTM), before);
}

}  // namespace
}  // namespace sonatrix::testing
