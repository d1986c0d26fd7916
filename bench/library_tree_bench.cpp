// SPDX-License-Identifier: GPL-3.0-or-later
// The library listing: building the tree of a 100,000-file library in 2,000
// folders, beside the floor of a bare recursive readdir walk of the same tree.
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <filesystem>

#include "big_library.h"
#include "library/library_tree.h"
#include "native_model.h"

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
    bench::NativeModel world(bench::BigLibraryAppDir());
    for (auto _ : state)
        RebuildLibraryTree(world.model);
    state.counters["files"] = world.model.state.LibrarySoundCount;
}

BENCHMARK(Floor_LibraryListing)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_LibraryListing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
