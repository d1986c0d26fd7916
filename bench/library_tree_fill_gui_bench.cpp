// SPDX-License-Identifier: GPL-3.0-or-later
// The library tree of the window: a rebuild of the 100,000-file library with
// the window mirroring it (goal: under one second), beside the same rebuild
// with no window.
#include <benchmark/benchmark.h>

#include "big_library.h"
#include "library/library_tree.h"
#include "native_model.h"
#include "tform1.h"

namespace sonatrix {
namespace {

void Figure_LibraryTreeFill(benchmark::State& state) {
    bench::NativeModel world(bench::BigLibraryAppDir());
    TForm1 window(world.model);
    for (auto _ : state)
        RebuildLibraryTree(world.model);
    state.counters["nodes"] = static_cast<double>(world.model.libraryTree.Count());
}

void Floor_LibraryTreeFill(benchmark::State& state) {
    bench::NativeModel world(bench::BigLibraryAppDir());
    for (auto _ : state)
        RebuildLibraryTree(world.model);
}

BENCHMARK(Floor_LibraryTreeFill)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_LibraryTreeFill)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonatrix
