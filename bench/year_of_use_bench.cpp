// SPDX-License-Identifier: GPL-3.0-or-later
// A year of use: 36,500 random replacements (a hundred a day) made through
// the real command on a six-sound client. Then what the store holds after
// pruning (entries, kept contents, its size) and how long Ctrl+Z takes to
// ask its question with the journal full; the goal is under 50 ms. The
// floor: what any undo must do, reading the latest entry and the six files.
// Also what every start does to that store before the window shows.
// The world lives in memory where it can, so that a year is made in a
// minute or two; a flush costs nothing there, a read costs the same.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "originals/journal.h"
#include "originals/originals_store.h"
#include "originals/store_tidying.h"
#include "platform/path_pieces.h"
#include "replace/random_replacement.h"
#include "replace/undo_last_change.h"
#include "test_world.h"

namespace {

namespace fs = std::filesystem;
using sonatrix::testing::TestWorld;

constexpr int kReplacements = 36'500;
constexpr int kLibrarySounds = 60;
const char* const kClientSounds[] = {"msg.wav",    "Global.wav", "folder.wav",
                                     "system.wav", "ring.wav",   "call.wav"};

TestWorld& YearOfUse() {
    static TestWorld* world = [] {
        if (std::error_code error; fs::is_directory("/dev/shm", error))
            ::setenv("TMPDIR", "/dev/shm", 1);
        auto* made = new TestWorld;
        made->SetAppDir();
        for (int sound = 0; sound < kLibrarySounds; ++sound)
            made->Put("app/newsounds/类别" + std::to_string(sound % 6) + "/s" +
                          std::to_string(sound) + ".wav",
                      "RIFF sound " + std::to_string(sound));
        made->model.state.LibrarySoundCount = kLibrarySounds;
        made->model.state.TargetSoundDir =
            made->root.Folder() + sonatrix::NativePath("QQ\\sound\\");
        for (const char* name : kClientSounds) {
            made->Put(std::string("QQ/sound/") + name, std::string("first ") + name);
            made->model.state.TargetList.push_back(name);
        }
        for (int run = 0; run < kReplacements; ++run) {
            made->dialogs.ThenId(sonatrix::mb::kIdYes);
            sonatrix::Button3Click(made->model);
        }
        made->dialogs.shown.clear();
        return made;
    }();
    return *world;
}

std::size_t FilesIn(const fs::path& folder, std::uintmax_t& bytes) {
    std::size_t count = 0;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) {
                ++count;
                bytes += entry.file_size();
            }
    return count;
}

void Figure_UndoFullJournal(benchmark::State& state) {
    TestWorld& world = YearOfUse();
    for (auto _ : state) {
        world.dialogs.ThenResult(sonatrix::DlgResult::Cancel);
        sonatrix::UndoLastChangeClick(world.model);
    }
    if (world.dialogs.shown.back().caption != "Confirm")
        state.SkipWithError("undo asked nothing");

    // The store after a year, and whether it keeps anything nobody needs.
    const sonatrix::OriginalsStore store(*world.files, world.dataDir);
    const fs::path folder = world.root.Path() / "userdata/originals";
    std::uintmax_t bytes = 0, ignored = 0;
    state.counters["store_files"] = static_cast<double>(FilesIn(folder, bytes));
    state.counters["store_kib"] = static_cast<double>(bytes) / 1024.0;
    state.counters["store_entry_files"] = static_cast<double>(FilesIn(folder / "journal", ignored));
    std::set<std::string> referred;
    std::vector<sonatrix::FolderOriginals> every;
    store.ReadEveryOriginal(every);
    for (const auto& originals : every)
        for (const auto& original : originals.files)
            referred.insert(original.content);
    for (const auto& entry : sonatrix::ReadJournal(store))
        for (const auto& change : entry.files)
            referred.insert({change.before, change.after});
    std::size_t blobs = 0, unreferenced = 0;
    for (const auto& blob : fs::directory_iterator(folder / "blobs")) {
        ++blobs;
        unreferenced += referred.contains(blob.path().filename().string()) ? 0 : 1;
    }
    state.counters["store_blob_files"] = static_cast<double>(blobs);
    state.counters["store_unreferenced_blobs"] = static_cast<double>(unreferenced);
}

void Floor_UndoFullJournal(benchmark::State& state) {
    TestWorld& world = YearOfUse();
    const sonatrix::OriginalsStore store(*world.files, world.dataDir);
    const auto place = sonatrix::PlaceOf(*world.files, world.model.state.TargetSoundDir);
    std::vector<sonatrix::EntryHeader> headers;
    sonatrix::JournalHeaders(store, headers);
    const sonatrix::EntryHeader latest = headers.back();
    for (auto _ : state) {
        sonatrix::JournalEntry entry;
        sonatrix::ReadJournalEntry(store, latest, entry);
        for (const char* name : kClientSounds) {
            std::string content;
            store.ContentOf(*place, name, content);
            benchmark::DoNotOptimize(content);
        }
    }
}

// The tidying at start: a crash's leftovers looked for, the journal pruned,
// kept contents that nothing refers to removed.
void Figure_TidyFullStore(benchmark::State& state) {
    TestWorld& world = YearOfUse();
    sonatrix::OriginalsStore store(*world.files, world.dataDir);
    for (auto _ : state)
        sonatrix::TidyStore(store);
}

BENCHMARK(Figure_UndoFullJournal)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_TidyFullStore)->Unit(benchmark::kMillisecond);
BENCHMARK(Floor_UndoFullJournal)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
