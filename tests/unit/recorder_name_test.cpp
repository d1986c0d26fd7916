// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "library/library_tree.h"
#include "library/recorder_command.h"
#include "library/recorder_logic.h"
#include "platform/path_pieces.h"
#include "test_world.h"

namespace sonatrix {
namespace {

using testing::DialogForm;
using testing::TestWorld;

struct DigitsRow {
    const char* name;
    const char* text;
    const char* digits;
};

class RecordingDigits : public ::testing::TestWithParam<DigitsRow> {};

TEST_P(RecordingDigits, KeepsOnlyTheDigitsInOrder) {
    EXPECT_EQ(DigitsOf(GetParam().text), GetParam().digits);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RecordingDigits,
    ::testing::Values(DigitsRow{"YearMonthDay", "2009-3-5 14:07:09", "200935140709"},
                      DigitsRow{"TwelfthOfJanuary", "2009-1-12 14:07:09", "2009112140709"},
                      DigitsRow{"SecondOfNovember", "2009-11-2 14:07:09", "2009112140709"},
                      DigitsRow{"ChineseDate", "2009年3月5日 下午2:07:09", "20093520709"},
                      DigitsRow{"NoDigits", "今天", ""}),
    [](const auto& info) { return info.param.name; });

class FreeName : public ::testing::Test {
  protected:
    void SetUp() override { world.Put("rec/keep.txt", "x"); }
    void Take(const std::string& name) { world.Put("rec/" + name, "RIFF"); }
    std::string Next() { return FreeRecordingName(*world.files, folder, "20093514709"); }

    TestWorld world;
    const std::string folder = world.At("rec").string() + kSep;
};

TEST_F(FreeName, FreeBaseNameIsUsedAsIs) {
    EXPECT_EQ(Next(), "20093514709.wav");
}

TEST_F(FreeName, TakenNamesGetTheNextNumber) {
    Take("20093514709.wav");
    EXPECT_EQ(Next(), "20093514709-2.wav");
    Take("20093514709-2.wav");
    EXPECT_EQ(Next(), "20093514709-3.wav");
}

// A gap left by a deleted recording is not refilled: a newer recording
// never gets a lower number than an older one.
TEST_F(FreeName, NumbersOnlyGrowAfterDeletions) {
    Take("20093514709-2.wav");
    EXPECT_EQ(Next(), "20093514709-3.wav");
    Take("20093514709-10.wav");
    EXPECT_EQ(Next(), "20093514709-11.wav");
}

TEST_F(FreeName, OtherRecordingsDoNotCount) {
    Take("200935147091.wav");       // another start time with more digits
    Take("2009351470-2.wav");       // a shorter start time
    Take("20093514709-x.wav");      // not a number
    Take("20093514709-2.wav.txt");  // not a WAV file
    EXPECT_EQ(Next(), "20093514709.wav");
}

TEST_F(FreeName, UpperCaseExtensionIsTaken) {
    Take("20093514709.WAV");
    EXPECT_EQ(Next(), "20093514709-2.wav");
}

TEST_F(FreeName, RecordingsOfOneSecondKeepTheirOrder) {
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) {
        names.push_back(Next());
        Take(names.back());
    }
    ASSERT_EQ(names.front(), "20093514709.wav");
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_EQ(names[i], "20093514709-" + std::to_string(i + 1) + ".wav");
}

TEST(SpeedButton2Click, ShowsTheRecorderThenShowsNewRecordingsInTheTree) {
    TestWorld world;
    world.SetAppDir();
    world.Put("app/newsounds/我的录音/old.wav");
    world.dialogs.onShow = [&](const testing::ShownDialog& shown) {
        if (shown.form == DialogForm::Recorder)
            world.Put("app/newsounds/我的录音/20093514709.wav");
    };
    SpeedButton2Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].form, DialogForm::Recorder);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 2);
}

TEST(SpeedButton2Click, RebuildsAlsoWhenNothingWasRecorded) {
    TestWorld world;
    world.SetAppDir();
    SpeedButton2Click(world.model);
    world.Put("app/newsounds/我的录音/a.wav");
    world.Put("app/newsounds/我的录音/b.wav");
    EXPECT_EQ(world.model.state.LibrarySoundCount, 0);
    SpeedButton2Click(world.model);
    EXPECT_EQ(world.model.state.LibrarySoundCount, 2);
}

}  // namespace
}  // namespace sonatrix
