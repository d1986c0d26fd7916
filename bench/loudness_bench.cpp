// SPDX-License-Identifier: GPL-3.0-or-later
// What matching the loudness costs: measuring 100 three-second sounds
// (loudness and true peak) against reading them, and a theme of six
// shipped sounds over QQ's own with "音量与原声音一致" checked against
// unchecked (the goal: under 50 ms more).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "library/loudness.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/themes.h"
#include "test_world.h"
#include "tone_wavs.h"

namespace {

using sonatrix::SampleFormat;
using sonatrix::testing::TestWorld;
using sonatrix::testing::Tone;
using sonatrix::testing::Wav;

constexpr int kSounds = 100;

TestWorld& Sounds() {
    static TestWorld* world = [] {
        auto* made = new TestWorld;
        for (int i = 0; i < kSounds; ++i)
            made->Put("sounds/" + std::to_string(i) + ".wav",
                      Wav(SampleFormat::Int16, 2, Tone(3.0, 0.1 + 0.008 * i, 0, 0, 300 + 10 * i)));
        return made;
    }();
    return *world;
}

std::string SoundPath(TestWorld& world, int i) {
    return world.root.Folder() + "sounds" + sonatrix::kSep + std::to_string(i) + ".wav";
}

void Figure_MeasureSounds(benchmark::State& state) {
    TestWorld& world = Sounds();
    for (auto _ : state) {
        for (int i = 0; i < kSounds; ++i) {
            std::string bytes;
            world.files->ReadWholeFile(SoundPath(world, i), bytes);
            const auto layout = sonatrix::ReadPcmLayout(bytes);
            // Both, as a replacement that raises a sound pays them.
            const auto loudness = layout ? sonatrix::MomentaryMax(bytes, *layout) : std::nullopt;
            const auto peak = layout ? sonatrix::TruePeak(bytes, *layout) : std::nullopt;
            if (!loudness || !peak)
                state.SkipWithError("a sound was not measured");
            benchmark::DoNotOptimize(loudness);
        }
    }
}

void Floor_MeasureSounds(benchmark::State& state) {
    TestWorld& world = Sounds();
    for (auto _ : state) {
        for (int i = 0; i < kSounds; ++i) {
            std::string bytes;
            world.files->ReadWholeFile(SoundPath(world, i), bytes);
            benchmark::DoNotOptimize(bytes);
        }
    }
}

// QQ's own six sounds as the program ships them (its "qqsounds"), and the
// library sounds of two themes, from this build's program folder.
std::unique_ptr<TestWorld> ThemeWorld(bool matched) {
    auto world = std::make_unique<TestWorld>();
    world->SetAppDir();
    const std::filesystem::path shipped = SONATRIX_APP_DIR;
    const auto copy = [&](const std::filesystem::path& from, const std::string& to) {
        std::filesystem::create_directories(world->At(to).parent_path());
        std::filesystem::copy_file(shipped / from, world->At(to),
                                   std::filesystem::copy_options::overwrite_existing);
    };
    for (const std::size_t theme : {0u, 1u}) {
        for (std::string source : sonatrix::kPresetThemes[theme].sources) {
            std::replace(source.begin(), source.end(), '\\', '/');
            copy(std::filesystem::u8path(source), "app/" + source);
        }
    }
    for (const char* name : sonatrix::kThemeDestinations)
        copy(std::filesystem::path("qqsounds") / name, std::string("QQ/sound/") + name);
    world->model.state.TargetSoundDir =
        world->root.Folder() + "QQ" + sonatrix::kSep + "sound" + sonatrix::kSep;
    world->model.state.MatchLoudness = matched;
    return world;
}

// Two themes by turns, so that every run writes all six files.
void RunThemes(benchmark::State& state, bool matched) {
    const std::unique_ptr<TestWorld> world = ThemeWorld(matched);
    std::size_t turn = 0;
    for (auto _ : state)
        sonatrix::ApplyPresetTheme(world->model, sonatrix::kPresetThemes[turn++ % 2]);
    for (const auto& shown : world->dialogs.shown)
        if (shown.caption == "Error")
            state.SkipWithError("a write failed");
}

void Figure_ThemeMatched(benchmark::State& state) {
    RunThemes(state, true);
}
void Floor_ThemeMatched(benchmark::State& state) {
    RunThemes(state, false);
}

BENCHMARK(Figure_MeasureSounds)->Unit(benchmark::kMillisecond);
BENCHMARK(Floor_MeasureSounds)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_ThemeMatched)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Floor_ThemeMatched)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
