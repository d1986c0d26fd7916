// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding a long sound: the helper converting ten minutes of stereo 48 kHz
// FLAC into a WAV, beside the same helper started and ended with nothing
// to do. The peak resident memory of each: the conversion streams, so it
// stays near the idle helper's (goal: under 64 MiB above it).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_dir.h"

extern char** environ;

namespace sonatrix {
namespace {

// Runs the helper with `request` on its standard input; returns its peak
// resident memory in MiB, or a negative value when it did not end well.
double RunHelper(const std::string& request) {
    int input[2];
    if (pipe(input) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(SONATRIX_DECODE_HELPER), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    const bool written =
        spawned == 0 && write(input[1], request.data(), request.size()) == ssize_t(request.size());
    close(input[1]);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !written || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Run(benchmark::State& state, bool withSound) {
    static testing::TempDir folder;
    const std::string flac = (folder.Path() / "ten-minutes.flac").string();
    const std::string wav = (folder.Path() / "ten-minutes.wav").string();
    if (!std::filesystem::exists(flac) && std::system(("sox -n -r 48000 -c 2 -b 16 '" + flac +
                                                       "' synth 10:00 sine 440 sine 660 vol 0.5")
                                                          .c_str()) != 0) {
        state.SkipWithError("sox could not make the FLAC file");
        return;
    }
    const std::string request = withSound ? flac + '\0' + wav + '\0' : std::string();
    double peak = 0;
    for (auto _ : state) {
        std::filesystem::remove(wav);
        peak = RunHelper(request);
        if (peak < 0 || (withSound && !std::filesystem::exists(wav))) {
            state.SkipWithError("the helper did not convert the file and end cleanly");
            return;
        }
    }
    state.counters["peak_rss_mib"] = peak;
}

void Figure_DecodeLongFlac(benchmark::State& state) {
    Run(state, true);
}

void Floor_DecodeLongFlac(benchmark::State& state) {
    Run(state, false);
}

BENCHMARK(Floor_DecodeLongFlac)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Figure_DecodeLongFlac)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
