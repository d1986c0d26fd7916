// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "discovery/picker_logic.h"
#include "standin_process.h"
#include "target_world.h"

namespace sonatrix::testing {
namespace {

class PickerTest : public ::testing::Test {
  protected:
    // Only the stand-ins: on Windows the test program is an .exe itself.
    PickerTest() { world.base.ownProcesses.OnlyOwn(-1); }

    TargetWorld world;
    PickerLogic picker{*world.base.files, world.base.ownProcesses, world.dialogs};

    long CountLines(const std::string& line) const {
        return std::count(picker.ProcessList.begin(), picker.ProcessList.end(), line);
    }
};

TEST_F(PickerTest, ListsEveryInstanceWholeAndEmptiesTheChoice) {
    const std::string program = world.Path("My Tools/Two Words.exe");
    auto first = world.Start("My Tools/Two Words.exe");
    auto second = world.Start("My Tools/Two Words.exe");
    auto other = world.Start("Other/tool.EXE");

    picker.Choice = "left over";
    picker.FormShow();

    EXPECT_EQ(CountLines(program), 2);
    EXPECT_EQ(CountLines(world.Path("Other/tool.EXE")), 1);
    EXPECT_EQ(picker.Choice, "");

    // A line selected by click, then refreshed away.
    const auto line = std::find(picker.ProcessList.begin(), picker.ProcessList.end(), program);
    picker.ListBox1Click(static_cast<int>(line - picker.ProcessList.begin()));
    EXPECT_EQ(picker.Choice, program);
    second->Stop();
    picker.Button4Click();
    EXPECT_EQ(CountLines(program), 1);
    EXPECT_EQ(picker.Choice, "");
}

TEST_F(PickerTest, AProgramWithoutAnExeModuleAddsNoLine) {
    auto noExe = world.Start("Bin/daemon");
    picker.FillProcessList();
    EXPECT_TRUE(picker.ProcessList.empty());
}

TEST_F(PickerTest, DoubleClickConfirmsTheLine) {
    const std::string program = world.Path("QQ/Bin/QQ.exe");
    auto running = world.Start("QQ/Bin/QQ.exe");
    world.Put("QQ/Bin/TMsound/msg.wav");
    picker.FormShow();
    ASSERT_EQ(picker.ProcessList.size(), 1u);

    // A program browsed to after the line was clicked, whose folder would
    // pass the checks too: the double-clicked line wins.
    world.Put("Elsewhere/ring.wav");
    picker.ListBox1Click(0);
    picker.Choice = world.Path("Elsewhere/other.exe");
    EXPECT_TRUE(picker.ListBox1DblClick(0));
    EXPECT_EQ(picker.PickedPath, world.Dir("QQ/Bin/TMsound"));
    EXPECT_FALSE(picker.ListBox1DblClick(-1));
}

// A choice, the files around it, and what OK makes of it.
struct OkRow {
    const char* name;
    std::vector<const char*> files;  // below the root
    const char* choice;              // below the root; a trailing "/" for a folder
    const char* picked;              // nullptr: the warning, the dialog stays open
};

class PickerOk : public PickerTest, public ::testing::WithParamInterface<OkRow> {};

TEST_P(PickerOk, FindsTheFirstLayoutHoldingWavFiles) {
    const OkRow& row = GetParam();
    for (const char* file : row.files)
        world.Put(file);
    // A trailing "/" stays: the path of a folder.
    const std::string choice = world.Path(row.choice);
    picker.Choice = choice;
    picker.PickedPath = "earlier";

    const bool closed = picker.Button2Click();

    if (!row.picked) {
        EXPECT_FALSE(closed);
        EXPECT_EQ(picker.Choice, choice);
        EXPECT_EQ(picker.PickedPath, "earlier");
        ASSERT_EQ(world.dialogs.shown.size(), 1u);
        EXPECT_EQ(world.dialogs.shown[0].caption, "Warning");
        EXPECT_EQ(world.dialogs.shown[0].text, kPickerNoWav);
        EXPECT_EQ(world.dialogs.shown[0].buttons, kDlgOK);
        return;
    }
    const std::string expected = world.Path(row.picked);
    EXPECT_TRUE(closed);
    EXPECT_EQ(picker.PickedPath, expected);
    EXPECT_EQ(picker.Choice, expected);
    EXPECT_TRUE(world.dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PickerOk,
    ::testing::Values(
        OkRow{"OwnFolderKeepsTheExecutable",
              {"App/notify.WAV", "App/sound/a.wav"},
              "App/app.exe",
              "App/app.exe"},
        OkRow{"TMsoundFolder", {"TM/Bin/TMsound/msg.wav"}, "TM/Bin/TM.exe", "TM/Bin/TMsound/"},
        OkRow{
            "SoundBeforeSounds", {"Game/sounds/b.wav", "Game/sound/a.wav"}, "Game/", "Game/sound/"},
        OkRow{"SoundsAlone", {"Game/sounds/b.wav"}, "Game/", "Game/sounds/"},
        OkRow{"SoundBeforeTMsound", {"X/TMsound/a.wav", "X/sound/a.wav"}, "X/x.exe", "X/sound/"},
        // Kept as written, "..", letter case and all; found on disk as "sound".
        OkRow{"ClassicBesideTheFolder",
              {"QQ/Bin/QQ.exe", "QQ/Misc/sound/Classic/msg.wav"},
              "QQ/Bin/QQ.exe",
              "QQ/Bin/../Misc/Sound/Classic/"},
        OkRow{"NoWavAnywhere",
              {"Empty/readme.txt", "Empty/deeper/sound/a.wav"},
              "Empty/e.exe",
              nullptr},
        OkRow{"AWavOfAnotherFolderDoesNotCount", {"Aside/a.wav"}, "Nowhere/n.exe", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PickerTest, OkWithoutAChoiceWarns) {
    // Even where the working folder holds WAV files.
    world.Put("cwd/a.wav");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(world.base.At("cwd"));
    const bool closed = picker.Button2Click();
    std::filesystem::current_path(previous);

    EXPECT_FALSE(closed);
    EXPECT_EQ(picker.PickedPath, "");
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].text, kPickerNoWav);
}

TEST_F(PickerTest, BrowsingSetsTheChoiceOnlyWhenConfirmed) {
    const std::string folder = world.Path("Sounds");
    world.dialogs.ThenText(folder).ThenText(std::nullopt);
    picker.Button5Click();
    EXPECT_EQ(picker.Choice, folder + TargetWorld::kSeparator);
    picker.Button5Click();
    EXPECT_EQ(picker.Choice, folder + TargetWorld::kSeparator);

    world.dialogs.ThenText(world.Path("A/a.exe")).ThenText(std::nullopt);
    picker.Button1Click();
    EXPECT_EQ(picker.Choice, world.Path("A/a.exe"));
    picker.Button1Click();
    EXPECT_EQ(picker.Choice, world.Path("A/a.exe"));

    ASSERT_EQ(world.dialogs.shown.size(), 4u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::BrowseForFolder);
    EXPECT_EQ(world.dialogs.shown[0].text, "选择一个包含有WAV格式声音文件的目录");
    EXPECT_EQ(world.dialogs.shown[2].form, DialogForm::OpenFile);
    EXPECT_EQ(world.dialogs.shown[2].text, "exe文件|*.exe");
}

TEST_F(PickerTest, ClosingWithoutOkForgetsAnEarlierPick) {
    world.Put("A/a.wav");
    picker.Choice = world.Path("A/a.exe");
    ASSERT_TRUE(picker.Button2Click());
    ASSERT_FALSE(picker.PickedPath.empty());

    picker.FormShow();
    picker.ClosedWithoutOK();
    EXPECT_EQ(picker.PickedPath, "");

    picker.Choice = world.Path("A/a.exe");
    ASSERT_TRUE(picker.Button2Click());
    picker.Button3Click();
    EXPECT_EQ(picker.PickedPath, "");
}

}  // namespace
}  // namespace sonatrix::testing
