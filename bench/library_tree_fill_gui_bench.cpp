// The library tree of the window: a rebuild of the 100,000-file library with
// the window mirroring it (goal: under one second), beside the same rebuild
// with no window.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/main_model.h"
#include "big_library.h"
#include "library/library_tree.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "recording_services.h"
#include "scripted_dialogs.h"
#include "tform1.h"

namespace sonatrix {
namespace {

struct World {
    std::unique_ptr<FileSystem> files = MakeNativeFileSystem();
    std::unique_ptr<ProcessSource> processes = MakeNativeProcessSource();
    std::unique_ptr<Registry> registry = MakeNativeRegistry();
    testing::ScriptedDialogs dialogs;
    testing::RecordingPlayer player;
    testing::RecordingShell shell;
    MainModel model{Services{*files, *processes, *registry, dialogs, player, shell},
                    bench::BigLibraryAppDir()};
    World() { model.state.AppDir = model.ExecutableFolder; }
};

void Figure_LibraryTreeFill(benchmark::State& state) {
    World world;
    TForm1 window(world.model);
    for (auto _ : state)
        RebuildLibraryTree(world.model);
    state.counters["nodes"] = static_cast<double>(world.model.libraryTree.Count());
}

void Floor_LibraryTreeFill(benchmark::State& state) {
    World world;
    for (auto _ : state)
        RebuildLibraryTree(world.model);
}

BENCHMARK(Floor_LibraryTreeFill)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_LibraryTreeFill)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonatrix

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
