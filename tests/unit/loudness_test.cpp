// SPDX-License-Identifier: GPL-3.0-or-later
// Loudness matching: the meter against the EBU reference figures, and
// replacements that write a library sound as loud as the original it
// replaces, measured again, in every sample format the library holds, in a
// client's folder and for a program that names its sounds in its settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "discovery/pidgin_settings.h"
#include "discovery/program_target.h"
#include "library/library_tree.h"
#include "library/loudness.h"
#include "platform/path_pieces.h"
#include "replace/library_preview.h"
#include "replace/themes.h"
#include "replace_world.h"
#include "tone_wavs.h"
#include "tree_node_queries.h"

namespace sonatrix {
namespace {

using testing::ReplaceWorld;
using testing::Tone;
using testing::Wav;

struct Loudness {
    double momentaryMax = 0;
    double truePeak = 0;
};

Loudness Measured(const std::string& file) {
    const std::optional<PcmLayoutOfFile> layout = ReadPcmLayout(file);
    EXPECT_TRUE(layout.has_value());
    if (!layout)
        return {};
    const std::optional<double> momentaryMax = MomentaryMax(file, *layout);
    const std::optional<double> truePeak = TruePeak(file, *layout);
    EXPECT_TRUE(momentaryMax && truePeak);
    return {momentaryMax.value_or(0), truePeak.value_or(0)};
}

struct ToneRow {
    const char* name;
    std::string file;
    double momentaryMax;  // LUFS, ±0.1
    double truePeak;      // dBTP, ±0.1
};

class Meter : public ::testing::TestWithParam<ToneRow> {};

TEST_P(Meter, GivesTheReferenceFigures) {
    const Loudness loudness = Measured(GetParam().file);
    EXPECT_NEAR(loudness.momentaryMax, GetParam().momentaryMax, 0.1);
    EXPECT_NEAR(loudness.truePeak, GetParam().truePeak, 0.1);
}

// 1 kHz at 1/8 of full scale, dual mono: -18.05 LUFS, -18.06 dBTP.
const std::vector<double> kEbuSine = Tone(1.0, 0.125);

INSTANTIATE_TEST_SUITE_P(
    Tones, Meter,
    ::testing::Values(
        ToneRow{"EbuSineMono16", Wav(SampleFormat::Int16, 1, kEbuSine), -18.05, -18.06},
        ToneRow{"AStereoCopyMatchesTheMono", Wav(SampleFormat::Int16, 2, kEbuSine), -18.05, -18.06},
        ToneRow{"PaddingDoesNotMoveIt", Wav(SampleFormat::Int16, 1, Tone(1.0, 0.125, 0.7, 1.3)),
                -18.05, -18.06},
        // Half a window of sound: half the energy, a finite figure.
        ToneRow{"ASoundShorterThanAWindow", Wav(SampleFormat::Int16, 1, Tone(0.2, 0.125)), -21.06,
                -18.06}),
    [](const auto& info) { return std::string(info.param.name); });

// What a replacement must have written.
enum class Written { ByteCopy, AsLoudAsTheOriginal, PeakAtTheCeiling };
// QQ's msg.wav, or Pidgin's "收到消息", whose original is the file its
// prefs.xml names (nothing: it names none).
enum class Target { ClientFolder, Pidgin };

struct MatchRow {
    const char* name;
    std::optional<std::string> original;  // nothing: the target sound is a new file
    std::string library;
    bool checked;
    Written written;
    const char* note;           // the message's start after "msg.wav："; empty: no message
    bool copiedBefore = false;  // first replaced unchecked by a loud library sound
    Target target = Target::ClientFolder;
};

// A soft chime as a client ships it: extensible format, a LIST chunk first.
const std::string kSoftChime = Wav(SampleFormat::Int16, 1, Tone(1.0, 0.05, 0, 0, 880), true);
const std::string kLoudChime = Wav(SampleFormat::Int16, 1, Tone(1.0, 0.5));
// Made once per format: the table below is built whenever the test program
// starts, even to run one unrelated test.
const std::string& Loud(SampleFormat format) {
    static std::map<SampleFormat, std::string> made;
    std::string& file = made[format];
    if (file.empty())
        file = Wav(format, 2, Tone(1.2, 0.7, 0, 0, 440));
    return file;
}
// Quiet but for one spike: it cannot be raised as far as the match wants.
std::string SoftWithASpike() {
    std::vector<double> samples = Tone(1.0, 0.02);
    samples[20000] = 0.5;
    return Wav(SampleFormat::Int16, 1, samples);
}
std::string Adpcm() {
    std::string file = kLoudChime;
    file[20] = 2;  // the format tag: Microsoft ADPCM
    file[21] = 0;
    return file;
}

class Matching : public ::testing::TestWithParam<MatchRow> {
  protected:
    void SetUp() override {
        const MatchRow& row = GetParam();
        if (row.target == Target::ClientFolder) {
            world.Target("QQ/sound", {});
            if (row.original)
                world.Put("QQ/sound/msg.wav", *row.original);
            return;
        }
        const std::string file = row.original ? world.Put("chime.wav", *row.original).string() : "";
        world.Put("purple/prefs.xml",
                  "<?xml version='1.0' encoding='UTF-8' ?>\n<pref version='1' name='/'>"
                  "<pref name='pidgin'><pref name='sound'><pref name='enabled'>"
                  "<pref name='im_recv' type='bool' value='1'/></pref><pref name='file'>"
                  "<pref name='im_recv' type='path' value='" +
                      file + "'/></pref></pref></pref></pref>\n");
        std::optional<SettingsProgram> pidgin = FindPidgin(*world.files, world.FolderOf("purple"));
        ASSERT_TRUE(pidgin);
        AdoptSettingsProgram(world.model, std::move(*pidgin));
        world.model.state.TargetKind = kKindProgram;
        M_list_qqshund(world.model);
    }
    std::string SoundName() const {
        return GetParam().target == Target::ClientFolder ? "msg.wav" : "收到消息";
    }
    std::string WrittenSound() const {
        return GetParam().target == Target::ClientFolder
                   ? world.Content("QQ/sound/msg.wav")
                   : testing::ReadFile(
                         testing::PathFromNarrow(world.model.state.TargetSoundDir + "im_recv.wav"));
    }

    void Replace(const std::string& library, bool checked) {
        world.Library("自定义/new.wav", library);
        world.model.state.MatchLoudness = checked;
        world.model.state.SelectedLibrarySound = NativePath("自定义\\new.wav");
        world.model.state.SelectedTargetSound = SoundName();
        world.dialogs.shown.clear();
        world.dialogs.ThenResult(DlgResult::OK);
        M_replace89(world.model);
    }

    ReplaceWorld world;
};

TEST_P(Matching, WritesTheLibrarySoundAsLoudAsTheOriginal) {
    const MatchRow& row = GetParam();
    if (row.copiedBefore)
        Replace(Loud(SampleFormat::Int16), false);
    Replace(row.library, row.checked);

    const std::string written = WrittenSound();
    if (row.written == Written::ByteCopy) {
        EXPECT_TRUE(written == row.library);
    } else {
        // Other samples under the library file's own header (rate,
        // channels, format); the library file left as it was.
        const std::size_t header = ReadPcmLayout(row.library)->dataOffset;
        EXPECT_TRUE(written.size() == row.library.size() && written != row.library &&
                    written.compare(0, header, row.library, 0, header) == 0);
        EXPECT_TRUE(world.Content("app/newsounds/自定义/new.wav") == row.library);
    }
    if (row.written == Written::AsLoudAsTheOriginal) {
        EXPECT_NEAR(Measured(written).momentaryMax, Measured(*row.original).momentaryMax, 0.5);
    } else if (row.written == Written::PeakAtTheCeiling) {
        EXPECT_NEAR(Measured(written).truePeak, -1.0, 0.1);
    }

    std::vector<std::string> notes;
    for (const auto& shown : world.dialogs.shown)
        if (shown.caption == "Information")
            notes.push_back(shown.text);
    if (*row.note == '\0') {
        EXPECT_TRUE(notes.empty()) << notes.front();
    } else {
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_TRUE(notes[0].starts_with(SoundName() + "：" + row.note)) << notes[0];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Matching,
    ::testing::Values(MatchRow{"LoudOverSoft", kSoftChime, Loud(SampleFormat::Int24), true,
                               Written::AsLoudAsTheOriginal, ""},
                      MatchRow{"UInt8", kSoftChime, Loud(SampleFormat::UInt8), true,
                               Written::AsLoudAsTheOriginal, ""},
                      MatchRow{"Int16", kSoftChime, Loud(SampleFormat::Int16), true,
                               Written::AsLoudAsTheOriginal, ""},
                      MatchRow{"Int32", kSoftChime, Loud(SampleFormat::Int32), true,
                               Written::AsLoudAsTheOriginal, ""},
                      MatchRow{"Float32", kSoftChime, Loud(SampleFormat::Float32), true,
                               Written::AsLoudAsTheOriginal, ""},
                      // Matched to the client's own sound, not to what the last write left.
                      MatchRow{"TheFirstOriginalCounts", kSoftChime, Loud(SampleFormat::Int24),
                               true, Written::AsLoudAsTheOriginal, "", true},
                      MatchRow{"SoftOverLoudStopsAtTheCeiling", kLoudChime, SoftWithASpike(), true,
                               Written::PeakAtTheCeiling,
                               "新声音比原声音轻，最多只能加大到原声音的音量以下 "},
                      MatchRow{"UncheckedIsAByteCopy", kSoftChime, Loud(SampleFormat::Int24), false,
                               Written::ByteCopy, ""},
                      // No gain to give: not rewritten (and dithered) for nothing.
                      MatchRow{"AsLoudAlreadyIsAByteCopy", Loud(SampleFormat::Int16),
                               Loud(SampleFormat::Int16), true, Written::ByteCopy, ""},
                      MatchRow{"NoOriginal", std::nullopt, Loud(SampleFormat::Int16), true,
                               Written::ByteCopy, "原来没有这个声音"},
                      MatchRow{"SilentOriginal", Wav(SampleFormat::Int16, 1, Tone(1.0, 0)),
                               Loud(SampleFormat::Int16), true, Written::ByteCopy, "原声音是静音"},
                      MatchRow{"UnreadableOriginal", Adpcm(), Loud(SampleFormat::Int16), true,
                               Written::ByteCopy, "原声音不是本程序能读取的WAV文件"},
                      // A program's sound is a new file of ours: it is matched
                      // to the file the program's settings named before the
                      // first replacement, however often it is replaced.
                      MatchRow{"ProgramLoudOverSoft", kSoftChime, Loud(SampleFormat::Int16), true,
                               Written::AsLoudAsTheOriginal, "", false, Target::Pidgin},
                      MatchRow{"ProgramsFirstSettingCounts", kSoftChime, Loud(SampleFormat::Int24),
                               true, Written::AsLoudAsTheOriginal, "", true, Target::Pidgin},
                      MatchRow{"ProgramNamedNoSound", std::nullopt, Loud(SampleFormat::Int16), true,
                               Written::ByteCopy, "程序原来的设置没有为这个事件指定声音文件", false,
                               Target::Pidgin}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatchingNotes, AThemeSaysWhyInOneMessage) {
    ReplaceWorld world;
    for (std::string source : kPresetThemes[0].sources) {
        std::replace(source.begin(), source.end(), '\\', '/');
        world.Put("app/" + source, Loud(SampleFormat::Int16));
    }
    world.Target("QQ/sound", {});
    world.model.state.MatchLoudness = true;
    SpeedButton5Click(world.model);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_EQ(
        std::count(world.dialogs.shown[0].text.begin(), world.dialogs.shown[0].text.end(), '\n'),
        kThemeRows - 1);
    EXPECT_EQ(world.dialogs.shown[1].text, std::string(kPresetThemes[0].name) + "－完成。");
}

TEST(MatchingPreview, PlaysAtTheGainItWouldBeWrittenWith) {
    ReplaceWorld world;
    world.Target("QQ/sound", {});
    world.Put("QQ/sound/msg.wav", kSoftChime);
    world.Library("loud.wav", Loud(SampleFormat::Int16));
    RebuildLibraryTree(world.model);
    world.model.state.SelectedTargetSound = "msg.wav";
    const TreeNode* node = testing::Child(world.model.libraryTree.Root(), "loud.wav");

    TreeView1Click(world.model, node);
    world.model.state.MatchLoudness = true;
    TreeView1Click(world.model, node);
    ASSERT_EQ(world.player.played.size(), 2u);
    EXPECT_EQ(world.player.played[0], world.appDir + NativePath("newsounds\\loud.wav"));
    EXPECT_EQ(world.player.played[1], world.dataDir + kMatchedPreviewName);
    EXPECT_NEAR(Measured(testing::ReadFile(world.At("userdata/preview.wav"))).momentaryMax,
                Measured(kSoftChime).momentaryMax, 0.5);
}

}  // namespace
}  // namespace sonatrix
