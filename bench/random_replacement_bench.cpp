// SPDX-License-Identifier: GPL-3.0-or-later
// Random replacement of 200 listed sounds from a library of 100,000 files:
// the whole command, dialogs answered, should take under one second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "library/library_tree.h"
#include "platform/path_pieces.h"
#include "replace/random_replacement.h"
#include "test_world.h"

namespace {

using sonatrix::testing::TestWorld;

constexpr int kCategories = 100;
constexpr int kFilesPerCategory = 1000;
constexpr int kTargets = 200;

TestWorld& World() {
    static TestWorld* world = [] {
        auto* made = new TestWorld;
        made->SetAppDir();
        for (int c = 0; c < kCategories; ++c) {
            const std::string category = "app/newsounds/类别" + std::to_string(c) + "/";
            for (int f = 0; f < kFilesPerCategory; ++f)
                made->Put(category + "s" + std::to_string(f) + ".wav", "RIFF" + std::to_string(f));
        }
        made->model.state.LibrarySoundCount = kCategories * kFilesPerCategory;
        made->model.state.TargetSoundDir =
            made->root.Folder() + sonatrix::NativePath("QQ\\sound\\");
        for (int t = 0; t < kTargets; ++t) {
            const std::string name = "t" + std::to_string(t) + ".wav";
            made->Put("QQ/sound/" + name, "old");
            made->model.state.TargetList.push_back(name);
        }
        return made;
    }();
    return *world;
}

void Figure_RandomReplacement(benchmark::State& state) {
    TestWorld& world = World();
    for (auto _ : state) {
        world.dialogs.ThenId(sonatrix::mb::kIdYes);
        sonatrix::Button3Click(world.model);
    }
    if (world.dialogs.shown.back().text != "随机换音完成。")
        state.SkipWithError("the command did not finish");
    for (const auto& shown : world.dialogs.shown)
        if (shown.caption == "Error")
            state.SkipWithError("copies failed");
}

// The walk alone: what every command pays once.
void Floor_RandomReplacement(benchmark::State& state) {
    TestWorld& world = World();
    for (auto _ : state) {
        auto files = sonatrix::LibraryFilesInWalkOrder(*world.files, world.appDir + "newsounds");
        benchmark::DoNotOptimize(files);
    }
}

BENCHMARK(Figure_RandomReplacement)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(Floor_RandomReplacement)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
