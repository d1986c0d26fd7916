// SPDX-License-Identifier: GPL-3.0-or-later
// A loud sound over QQ's soft chime with "音量与原声音一致" checked, measured
// by a reader we did not write (FFmpeg's ebur128 filter): within 1 LU of
// the chime; and Ctrl+Z gives the chime back byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "command_output.h"
#include "ffmpeg_loudness.h"
#include "platform/path_pieces.h"
#include "replace/undo_last_change.h"
#include "replace_world.h"
#include "tone_wavs.h"

namespace sonatrix {
namespace {

using testing::ReplaceWorld;
using testing::Tone;
using testing::Wav;

TEST(LoudnessAsANewUserTriesIt, FfmpegHearsTheChimesLoudnessAndUndoGivesTheChimeBack) {
    if (testing::CommandOutput("command -v ffmpeg").empty())
        GTEST_SKIP() << "no ffmpeg";
    ReplaceWorld world;
    const std::string chime = Wav(SampleFormat::Int16, 1, Tone(1.0, 0.06, 0, 0.5, 880));
    world.Target("QQ/sound", {});
    world.Put("QQ/sound/msg.wav", chime);
    world.Library("自定义/loud.wav", Wav(SampleFormat::Int16, 2, Tone(2.0, 0.8, 0, 0, 440)));
    world.model.state.MatchLoudness = true;
    world.model.state.SelectedLibrarySound = NativePath("自定义\\loud.wav");
    world.model.state.SelectedTargetSound = "msg.wav";
    world.dialogs.ThenResult(DlgResult::OK);
    M_replace89(world.model);

    const double chimeLoudness =
        testing::FfmpegMomentaryMax(world.Put("chime.wav", chime).string());
    EXPECT_GT(chimeLoudness, -40);  // read as a sound, not as silence
    EXPECT_NEAR(testing::FfmpegMomentaryMax(world.At("QQ/sound/msg.wav").string()), chimeLoudness,
                1.0);
    world.dialogs.ThenResult(DlgResult::OK);
    UndoLastChangeClick(world.model);
    EXPECT_TRUE(world.Content("QQ/sound/msg.wav") == chime);
}

}  // namespace
}  // namespace sonatrix
