// The library listing: building the tree of a 100,000-file library in 2,000
// folders, beside the floor of a bare recursive readdir walk of the same tree.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <filesystem>

#include "app/main_model.h"
#include "library/library_tree.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "recording_services.h"
#include "scripted_dialogs.h"
#include "big_library.h"

namespace sonatrix {
namespace {

long CountFiles(const std::string& folder) {
    long files = 0;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (entry->d_type == DT_DIR)
            files += CountFiles(folder + "/" + entry->d_name);
        else
            ++files;
    }
    ::closedir(dir);
    return files;
}

void Floor_LibraryListing(benchmark::State& state) {
    const std::string library = (bench::BigLibrary().Path() / "app/newsounds").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountFiles(library));
    state.counters["files"] = static_cast<double>(CountFiles(library));
}

void Figure_LibraryListing(benchmark::State& state) {
    auto files = MakeNativeFileSystem();
    auto processes = MakeNativeProcessSource();
    auto registry = MakeNativeRegistry();
    testing::ScriptedDialogs dialogs;
    testing::RecordingPlayer player;
    testing::RecordingShell shell;
    MainModel model(Services{*files, *processes, *registry, dialogs, player, shell},
                    bench::BigLibraryAppDir());
    model.state.AppDir = model.ExecutableFolder;
    for (auto _ : state)
        RebuildLibraryTree(model);
    state.counters["files"] = model.state.LibrarySoundCount;
}

BENCHMARK(Floor_LibraryListing)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_LibraryListing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
