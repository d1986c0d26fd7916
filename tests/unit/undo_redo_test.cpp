// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo as changes of their own, each step in a new start of the
// program over the same store: undo keeps what it overwrites, so redo gives
// a user's own file back; redo is offered until a new change; an entry that
// cannot be undone is skipped on request and never blocks the ones before
// it; nothing claims success after a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "originals/change_run.h"
#include "originals_world.h"

namespace sonatrix::testing {
namespace {

// The files 山村静夜 and 烈火金刚 write, msg.wav apart.
const std::string kThemeOthers = "\nGlobal.wav\nfolder.wav\nsystem.wav\nring.wav\ncall.wav";
const std::string kThemeFiles = "\nmsg.wav" + kThemeOthers;
const std::string kAskTheme = "Confirm:将撤销“山村静夜”对以下声音的更改：";
const std::string kAskMsgToo =
    "Confirm:以下声音在“山村静夜”之后又被改动过，是否也撤销对它们的更改：\nmsg.wav";
const std::string kOwnSound = "the user's own sound";

enum class Step { ThemeA, ThemeB, OwnMsg, Undo, Redo, Single };

struct StepsRow {
    const char* name;
    std::vector<Step> steps;
    const char* endsAs;  // the state after the step that made it ("" before any)
    std::vector<std::string> lastTexts;
};

class UndoRedo : public ::testing::TestWithParam<StepsRow> {
  protected:
    UndoRedo() { world.SayYesToEverything(); }

    // Each step in a new start of the program.
    void Do(Step step) {
        world.Restart();
        world.dialogs.shown.clear();
        switch (step) {
            case Step::ThemeA:
                world.Run(WriteCommand::Theme);
                return Label("山村静夜");
            case Step::ThemeB:
                SpeedButton10Click(world.Current());
                return Label("烈火金刚");
            case Step::OwnMsg:
                // Copied over it with the file manager.
                world.Put(std::string(kClientSound) + "/msg.wav", kOwnSound);
                return Label("own");
            case Step::Single:
                world.Run(WriteCommand::Single);
                return Label("换音");
            case Step::Undo:
                return UndoLastChangeClick(world.Current());
            case Step::Redo:
                return RedoClick(world.Current());
        }
    }
    void Label(const std::string& label) { states[label] = world.Snapshot(kClientSound); }

    OriginalsWorld world;
    std::map<std::string, TreeSnapshot> states{{"", world.Snapshot(kClientSound)}};
};

TEST_P(UndoRedo, GiveBackExactlyWhatEachStepFound) {
    const StepsRow& row = GetParam();
    for (const Step step : row.steps)
        Do(step);
    EXPECT_EQ(world.Snapshot(kClientSound), states.at(row.endsAs));
    EXPECT_EQ(world.Texts(), row.lastTexts);
    // Each undo is an entry of its own, named for what it took back.
    for (const JournalEntry& entry : world.Journal())
        EXPECT_TRUE(entry.header.kind != EntryKind::Undo || entry.name.starts_with("撤销："));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UndoRedo,
    ::testing::Values(
        // Ctrl+Z over the user's own file, both questions answered OK.
        StepsRow{"UndoAlsoOverTheUsersOwnFile",
                 {Step::ThemeA, Step::OwnMsg, Step::Undo},
                 "",
                 {kAskTheme + kThemeOthers, kAskMsgToo, "Information:已撤销：山村静夜"}},
        // Ctrl+Y puts the user's own file back byte for byte.
        StepsRow{"RedoGivesTheUsersOwnFileBack",
                 {Step::ThemeA, Step::OwnMsg, Step::Undo, Step::Redo},
                 "own",
                 // In the order the undo wrote them.
                 {"Confirm:将重做“山村静夜”对以下声音的更改：" + kThemeOthers + "\nmsg.wav",
                  "Information:已重做：山村静夜"}},
        StepsRow{"RedoWalksForwardAndUndoBackAgain",
                 {Step::ThemeA, Step::ThemeB, Step::Undo, Step::Undo, Step::Redo, Step::Redo,
                  Step::Undo},
                 "山村静夜",
                 {"Confirm:将撤销“烈火金刚”对以下声音的更改：" + kThemeFiles,
                  "Information:已撤销：烈火金刚"}},
        StepsRow{"ANewChangeEndsRedo",
                 {Step::ThemeA, Step::Undo, Step::Single, Step::Redo},
                 "换音",
                 {"Information:没有可以重做的更改。"}},
        StepsRow{"NothingToRedoBeforeAnUndo",
                 {Step::ThemeA, Step::Redo},
                 "山村静夜",
                 {"Information:没有可以重做的更改。"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Undo that cannot go on, or must not claim too much.
struct StuckRow {
    const char* name;
    std::function<void(OriginalsWorld&)> arrange;  // after 山村静夜 in the target folder
    std::vector<Answer> answers;
    // "{TM}" stands for the key of the TM folder, "{Folder}" for the error of
    // reading a folder.
    std::vector<std::string> texts;
    // What the next Ctrl+Z asks about; empty for nothing.
    const char* nextUndo;
};

class UndoNeverStuck : public ::testing::TestWithParam<StuckRow> {};

TEST_P(UndoNeverStuck, SkipsOnRequestAndReportsOnlyWhatHappened) {
    const StuckRow& row = GetParam();
    OriginalsWorld world;
    SpeedButton5Click(world.model);
    const std::string tmKey = world.Store().KeyOf(world.Dir(kClientTM));
    std::string readingAFolder;
    const int folderError = world.base.files->ReadSharedFile(world.Dir(kClientTM), readingAFolder);
    row.arrange(world);
    world.dialogs.shown.clear();
    for (const Answer& answer : row.answers)
        world.dialogs.Then(answer);
    UndoLastChangeClick(world.model);
    world.dialogs.onShow = nullptr;

    const std::map<std::string, std::string> fills{{"{TM}", tmKey},
                                                   {"{Folder}", SystemErrorText(folderError)}};
    std::vector<std::string> wanted = row.texts;
    for (std::string& text : wanted)
        for (const auto& [mark, fill] : fills)
            if (const auto at = text.find(mark); at != std::string::npos)
                text.replace(at, mark.size(), fill);
    EXPECT_EQ(world.Texts(), wanted);
    EXPECT_EQ(world.NextUndo(), row.nextUndo);
}

Answer Says(DlgResult result) {
    return {result, mb::kIdOK, {}, {}};
}

void CopyToTMThenRemoveIt(OriginalsWorld& world) {
    world.Run(WriteCommand::CopyToTM);
    std::filesystem::remove_all(world.base.At(kClientTM));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UndoNeverStuck,
    ::testing::Values(
        // Each after 山村静夜 in the target folder.
        StuckRow{"AGoneFolderIsSkipped",
                 CopyToTMThenRemoveIt,
                 {Says(DlgResult::Skip)},
                 {"Confirm:无法撤销“复制声音到TM”：它更改过的文件夹已不存在：\n{TM}"},
                 "山村静夜"},
        StuckRow{"ADeclinedChangeIsSkipped",
                 [](OriginalsWorld& world) { SpeedButton10Click(world.model); },
                 {Says(DlgResult::Skip)},
                 {"Confirm:将撤销“烈火金刚”对以下声音的更改：" + kThemeFiles},
                 "山村静夜"},
        StuckRow{"AnotherFolderIsNamed",
                 [](OriginalsWorld& world) { world.Run(WriteCommand::CopyToTM); },
                 {Says(DlgResult::Cancel)},
                 {"Confirm:将撤销“复制声音到TM”对以下声音的更改：\n{TM}" + kThemeFiles},
                 "复制声音到TM"},
        StuckRow{"AFileThatCannotBeWrittenIsNoSuccess",
                 [](OriginalsWorld& world) {
                     std::filesystem::remove(world.base.At("client/sound/msg.wav"));
                     std::filesystem::create_directory(world.base.At("client/sound/msg.wav"));
                 },
                 {Says(DlgResult::OK), Says(DlgResult::OK)},
                 {kAskTheme + kThemeOthers, kAskMsgToo, "Error:msg.wav{Folder}"},
                 ""},
        // Asked about again, as about a file changed since; declined, left alone.
        StuckRow{"AFileChangedWhileAskedIsLeftAlone",
                 [](OriginalsWorld& world) {
                     world.dialogs.onShow = [&world](const ShownDialog& shown) {
                         if (shown.caption == "Confirm")
                             world.Put("client/sound/msg.wav", "changed while asked");
                     };
                 },
                 {Says(DlgResult::OK), Says(DlgResult::Cancel)},
                 {kAskTheme + kThemeFiles, kAskMsgToo, "Information:已撤销：山村静夜"},
                 ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sonatrix::testing
