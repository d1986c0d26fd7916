// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: from process start to the main window's first show completed,
// with the shipped library and a running client, beside a minimal Qt
// program that shows one empty window; both offscreen. Also the peak
// resident memory of each.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>

#include "catalogue/catalogue.h"
#include "standin_process.h"
#include "temp_dir.h"

extern char** environ;

namespace sonatrix {
namespace {

// Runs `program` to its end; returns its peak resident memory in MiB, or a
// negative value when it did not end well.
double RunToEnd(const char* program, const char* argument) {
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A QQ client with its sounds, so the first show finds one and asks nothing.
void StartClient() {
    static testing::TempDir root;
    static std::unique_ptr<testing::StandInProcess> client;
    if (client)
        return;
    for (const char* name : kQQBackupFiles)
        std::filesystem::copy_file(std::filesystem::path(SONATRIX_APP_DIR) / "qqsounds" / name,
                                   [&] {
                                       auto to = root.Path() / "QQ/Misc/sound" / name;
                                       std::filesystem::create_directories(to.parent_path());
                                       return to;
                                   }());
    client = std::make_unique<testing::StandInProcess>(root.Path() / "QQ/Bin/QQ.exe");
}

void Run(benchmark::State& state, const char* program, const char* argument) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    StartClient();
    double peak = 0;
    for (auto _ : state) {
        peak = RunToEnd(program, argument);
        if (peak < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
    }
    state.counters["peak_rss_mib"] = peak;
}

void Figure_StartUp(benchmark::State& state) {
    Run(state, SONATRIX_PROGRAM_PROBE, SONATRIX_APP_DIR);
}

void Floor_StartUp(benchmark::State& state) {
    Run(state, SONATRIX_MINIMAL_PROBE, nullptr);
}

BENCHMARK(Floor_StartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Figure_StartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
