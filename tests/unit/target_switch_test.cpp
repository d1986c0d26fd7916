// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "discovery/manual_pick.h"
#include "discovery/target_switch.h"
#include "model/dialogs.h"
#include "target_world.h"

namespace sonatrix::testing {
namespace {

// The parts of the main window a command must leave alone.
struct WindowState {
    std::string folder, status, selected;
    std::vector<std::string> list;
    std::uint32_t colour;
    bool buttons, timer;
    int combo, kind;
    bool operator==(const WindowState&) const = default;
};

WindowState Capture(const MainState& s) {
    return {s.TargetSoundDir, s.TargetStatusText,   s.SelectedTargetSound,
            s.TargetList,     s.TargetStatusColour, s.TargetCommandButtonsEnabled,
            s.Timer1Enabled,  s.ComboIndex,         s.TargetKind};
}

class SwitchTest : public ::testing::Test {
  protected:
    // A QQ installation with its sounds one level above the executable.
    void LayOutQQ(const std::string& top) {
        world.Put(top + "/Misc/sound/msg.wav");
        world.Put(top + "/Misc/sound/Global.wav");
    }
    // The window as a failed start-up leaves it, with a stale target sound.
    void WaitingWithStaleSound() {
        state.TargetCommandButtonsEnabled = false;
        state.TargetStatusColour = colour::kRed;
        state.Timer1Enabled = true;
        state.SelectedTargetSound = "msg.wav";
    }

    TargetWorld world;
    MainState& state = world.model.state;
};

TEST_F(SwitchTest, MsnNotRunningFindsNothingSilentlyEvenWithARegistryEntry) {
    world.registry.Set(kMsnRegistry.key, kMsnRegistry.value, StringValue(world.Dir("MSN")));
    world.Put("MSN/ring.wav");
    WaitingWithStaleSound();
    state.TargetSoundDir = world.Dir("QQ/sound");
    state.TargetList = {"msg.wav"};

    ComboBox1Select(world.model, kKindMsn);

    EXPECT_EQ(state.TargetKind, kKindMsn);
    EXPECT_EQ(state.ComboIndex, kKindMsn);
    EXPECT_EQ(state.TargetSoundDir, "");
    EXPECT_EQ(state.TargetStatusText, "");
    EXPECT_EQ(state.SelectedTargetSound, "");
    EXPECT_TRUE(state.TargetList.empty());
    // Still waiting as before.
    EXPECT_FALSE(state.TargetCommandButtonsEnabled);
    EXPECT_EQ(state.TargetStatusColour, colour::kRed);
    EXPECT_TRUE(state.Timer1Enabled);
    EXPECT_TRUE(world.registry.reads.empty());
    EXPECT_TRUE(world.dialogs.shown.empty());
}

TEST_F(SwitchTest, SelectingTheSameItemAgainSearchesAgain) {
    LayOutQQ("QQ");
    ComboBox1Select(world.model, kKindQQ);
    EXPECT_EQ(state.TargetSoundDir, "");

    auto qq = world.Start("QQ/Bin/QQ.exe");
    WaitingWithStaleSound();
    ComboBox1Select(world.model, kKindQQ);
    EXPECT_EQ(state.TargetStatusText, world.Path("QQ/Bin/QQ.exe"));
    EXPECT_EQ(state.TargetSoundDir, world.Dir("QQ/Bin/../Misc/sound"));
    EXPECT_EQ(state.TargetList, (std::vector<std::string>{"Global.wav", "msg.wav"}));
    // Made ready: the selected sound of the old target is not cleared.
    EXPECT_TRUE(state.TargetCommandButtonsEnabled);
    EXPECT_EQ(state.TargetStatusColour, colour::kWindowText);
    EXPECT_FALSE(state.Timer1Enabled);
    EXPECT_EQ(state.SelectedTargetSound, "msg.wav");

    qq->Stop();
    ComboBox1Select(world.model, kKindQQ);
    EXPECT_EQ(state.TargetSoundDir, "");
    EXPECT_EQ(state.TargetStatusText, "");
    EXPECT_TRUE(state.TargetList.empty());
}

TEST_F(SwitchTest, TmWithOnlyQQRunningAdoptsQQByItsLayout) {
    LayOutQQ("QQ");
    auto qq = world.Start("QQ/Bin/QQ.exe");
    ComboBox1Select(world.model, kKindTM);
    EXPECT_EQ(state.TargetKind, kKindTM);
    EXPECT_EQ(state.TargetStatusText, world.Path("QQ/Bin/QQ.exe"));
    EXPECT_EQ(state.TargetSoundDir, world.Dir("QQ/Bin/../Misc/sound"));
}

TEST_F(SwitchTest, OtherWithoutAPickClearsTheTarget) {
    WaitingWithStaleSound();
    state.TargetSoundDir = world.Dir("QQ/sound");
    world.dialogs.ThenText("");
    ComboBox1Select(world.model, kKindOther);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::Picker);
    EXPECT_EQ(state.TargetKind, kKindOther);
    EXPECT_EQ(state.TargetSoundDir, "");
    EXPECT_EQ(state.SelectedTargetSound, "");
    EXPECT_TRUE(state.Timer1Enabled);
}

// Where the manual pick puts TargetSoundDir for a picked program.
struct PickRow {
    const char* name;
    std::vector<const char*> files;
    const char* expectedFolder;
    bool statusShowsFolder;  // else the picked program's path
};

class ManualPick : public SwitchTest, public ::testing::WithParamInterface<PickRow> {};

TEST_P(ManualPick, ProbesTheQQLayoutsUnlessRingWavIsThere) {
    for (const char* file : GetParam().files)
        world.Put(file);
    world.dialogs.ThenText(world.Path("P/prog.exe"));
    SpeedButton1Click(world.model);
    EXPECT_EQ(state.TargetSoundDir, world.Dir(GetParam().expectedFolder));
    EXPECT_EQ(state.TargetStatusText,
              GetParam().statusShowsFolder ? state.TargetSoundDir : world.Path("P/prog.exe"));
    EXPECT_EQ(state.ComboIndex, kKindOther);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ManualPick,
    ::testing::Values(
        PickRow{"RingWavKeepsTheFolder", {"P/ring.wav", "P/sound/folder.wav"}, "P", false},
        PickRow{"SoundFolder", {"P/x.wav", "P/sound/folder.wav"}, "P/sound", true},
        PickRow{"TMsoundFolder", {"P/x.wav", "P/TMsound/folder.wav"}, "P/TMsound", true},
        PickRow{"NoMarker", {"P/x.wav"}, "P", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SwitchTest, CancelAndCloseBoxLeaveTheWindowAsItWas) {
    world.Put("P/x.wav");
    world.dialogs.ThenText(world.Path("P/prog.exe"));
    SpeedButton1Click(world.model);
    ASSERT_EQ(state.TargetSoundDir, world.Dir("P"));
    state.SelectedTargetSound = "x.wav";
    const WindowState before = Capture(state);

    // Both close the picker with an empty PickedPath.
    world.dialogs.ThenText("").ThenText(std::nullopt);
    SpeedButton1Click(world.model);
    SpeedButton1Click(world.model);
    EXPECT_EQ(Capture(state), before);
}

// ----- the lookups -----

class LookupTest : public SwitchTest {
  protected:
    // The window as it is while MSN Messenger is the target.
    void TargetIsMsn() {
        state.TargetKind = kKindMsn;
        state.ComboIndex = kKindMsn;
        state.TargetStatusText = world.Path("MSN/msnmsgr.exe");
        state.TargetSoundDir = world.Dir("MSN");
        state.TargetList = {"type.wav"};
        state.TargetStatusColour = colour::kWindowText;
    }
};

TEST_F(LookupTest, RunningQQIsFoundAndTheMsnTargetKept) {
    LayOutQQ("QQ");
    auto qq = world.Start("QQ/Bin/QQ.exe");
    TargetIsMsn();
    const WindowState before = Capture(state);

    std::string folder = "stale";
    ASSERT_TRUE(LocateQQSoundDir(world.model, folder));
    EXPECT_EQ(folder, world.Dir("QQ/Bin/../Misc/sound"));
    EXPECT_EQ(Capture(state), before);
    EXPECT_TRUE(world.registry.reads.empty());
    EXPECT_TRUE(world.dialogs.shown.empty());
}

enum class Client { QQ, Msn };

// No client runs: what the registry and the user give.
struct FallbackRow {
    const char* name;
    Client client;
    RegistryValue::Status status;
    const char* value;  // below the root
    std::vector<const char*> files;
    int answer;            // to the question, when asked
    const char* picked;    // the picker's PickedPath (below the root), nullptr: empty
    const char* expected;  // below the root; nullptr: empty
    bool asked;
};

class LookupFallback : public LookupTest, public ::testing::WithParamInterface<FallbackRow> {};

TEST_P(LookupFallback, RegistryThenTheUser) {
    const FallbackRow& row = GetParam();
    const bool qq = row.client == Client::QQ;
    const RegistryLocation where = qq ? kQQRegistry : kMsnRegistry;
    const std::string value = row.value[0] ? world.Path(row.value) : "";
    world.registry.Set(where.key, where.value, {row.status, value});
    for (const char* file : row.files)
        world.Put(file);
    if (row.asked)
        world.dialogs.ThenId(row.answer);
    if (row.answer == mb::kIdYes)
        world.dialogs.ThenText(row.picked ? world.Path(row.picked) : "");
    TargetIsMsn();
    const WindowState before = Capture(state);

    std::string folder;
    ASSERT_TRUE(qq ? LocateQQSoundDir(world.model, folder)
                   : LocateMsnSoundDir(world.model, folder));

    EXPECT_EQ(folder, row.expected ? world.Path(row.expected) : "");
    EXPECT_EQ(Capture(state), before);
    EXPECT_EQ(world.registry.reads,
              std::vector<std::string>{std::string(where.key) + "|" + where.value});
    const auto& shown = world.dialogs.shown;
    if (!row.asked) {
        EXPECT_TRUE(shown.empty());
        return;
    }
    ASSERT_GE(shown.size(), 1u);
    EXPECT_EQ(shown[0].form, DialogForm::MessageBox);
    EXPECT_EQ(shown[0].text, qq ? "注册表中没有找到合适的值，您要手工指定qq路径吗？"
                                : "注册表中没有找到合适的值，您要手工指定 MSN 的路径吗？");
    EXPECT_EQ(shown[0].buttons, mb::kYesNo | mb::kIconQuestion);
    const bool pickerShown = row.answer == mb::kIdYes;
    ASSERT_EQ(shown.size(), pickerShown ? 2u : 1u);
    if (pickerShown) {
        EXPECT_EQ(shown[1].form, DialogForm::Picker);
    }
}

using S = RegistryValue::Status;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, LookupFallback,
    ::testing::Values(
        // The value is expected to end in a separator: nothing is inserted.
        FallbackRow{"QQInstallGetsSound", Client::QQ, S::String, "Tencent/QQ/", {}, 0, nullptr,
                    "Tencent/QQ/sound/", false},
        FallbackRow{"QQEmptyInstallAsks", Client::QQ, S::String, "", {}, mb::kIdNo, nullptr,
                    nullptr, true},
        FallbackRow{"QQYesThenCancel", Client::QQ, S::KeyMissing, "", {}, mb::kIdYes, nullptr,
                    nullptr, true},
        FallbackRow{"QQPickedInstallFolder", Client::QQ, S::KeyMissing, "", {"QQ/QQ.wav"},
                    mb::kIdYes, "QQ/QQ.exe", "QQ/sound/", true},
        FallbackRow{"QQPickedSoundFolderIsTakenAsItIs", Client::QQ, S::KeyMissing, "",
                    {"QQ/sound/msg.wav"}, mb::kIdYes, "QQ/sound/", "QQ/sound/", true},
        FallbackRow{"MsnDirectoryAsRead", Client::Msn, S::String, "Messenger", {}, 0, nullptr,
                    "Messenger", false},
        FallbackRow{"MsnPickedProgramGivesItsFolder", Client::Msn, S::KeyMissing, "",
                    {"M/ring.wav"}, mb::kIdYes, "M/msnmsgr.exe", "M/", true},
        FallbackRow{"MsnValueMissingYesThenCancel", Client::Msn, S::ValueMissing, "", {},
                    mb::kIdYes, nullptr, nullptr, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(LookupTest, ANonStringValueRaisesTheStandardErrorAndEndsTheLookup) {
    world.registry.Set(kQQRegistry.key, kQQRegistry.value, {RegistryValue::Status::OtherType, ""});
    world.registry.Set(kMsnRegistry.key, kMsnRegistry.value,
                       {RegistryValue::Status::OtherType, ""});
    TargetIsMsn();
    const WindowState before = Capture(state);

    std::string folder = "stale";
    EXPECT_FALSE(LocateQQSoundDir(world.model, folder));
    EXPECT_EQ(folder, "");
    EXPECT_FALSE(LocateMsnSoundDir(world.model, folder));

    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::AppError);
    EXPECT_EQ(world.dialogs.shown[0].caption, "Sonatrix2009");
    // "'" sorts before ".", so the standard box adds no full stop.
    EXPECT_EQ(world.dialogs.shown[0].text, "Invalid data type for 'Install'");
    EXPECT_EQ(world.dialogs.shown[1].text, "Invalid data type for 'InstallationDirectory'");
    EXPECT_EQ(Capture(state), before);
}

}  // namespace
}  // namespace sonatrix::testing
