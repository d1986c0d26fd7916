// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding a long sound: the helper converting ten minutes of stereo 48 kHz
// FLAC into a WAV, beside the same helper started and ended with nothing
// to do. The peak resident memory of each: the conversion streams, so it
// stays near the idle helper's (goal: under 64 MiB above it). And a hostile
// file: 5,000 seconds at 1000 Hz in one Matroska block with no length
// stated, which the helper refuses before converting any of it (goal: well
// under 200 MiB, within a second).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sound_decoder.h"
#include "temp_dir.h"

extern char** environ;

namespace sonatrix {
namespace {

// The files of this run, removed at its end.
const std::filesystem::path& Folder() {
    static const testing::TempDir folder;
    return folder.Path();
}

// Runs the helper with `request` on its standard input; returns its peak
// resident memory in MiB, or a negative value when it did not end well.
// Its last line goes to `answer`.
double RunHelper(const std::string& request, std::string& answer) {
    int input[2];
    if (pipe(input) != 0)
        return -1;
    const std::string said = Folder().string() + "/decode-bench-said";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, said.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
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
    std::ifstream lines(said);
    for (std::string line; std::getline(lines, line);)
        answer = line;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Makes `file` with `command` once per run.
bool Made(const std::string& file, const std::string& command) {
    return std::filesystem::exists(file) || std::system(command.c_str()) == 0;
}

// The helper given `source` (none: no request) `Iterations` times; each
// must end by saying `answer`.
void Run(benchmark::State& state, const std::string& source, const std::string& answer) {
    const std::string wav = Folder().string() + "/decoded.wav";
    const std::string request = source.empty() ? std::string() : source + '\0' + wav + '\0';
    double peak = 0;
    for (auto _ : state) {
        std::filesystem::remove(wav);
        std::string said;
        peak = RunHelper(request, said);
        if (peak < 0 || said != answer) {
            state.SkipWithError(("the helper did not end as expected: " + said).c_str());
            return;
        }
    }
    state.counters["peak_rss_mib"] = peak;
}

const std::string& LongFlac() {
    static const std::string flac = Folder().string() + "/ten-minutes.flac";
    return flac;
}

const std::string& GiantBlock() {
    static const std::string block = Folder().string() + "/giant.ogg";
    return block;
}

void Figure_DecodeLongFlac(benchmark::State& state) {
    if (!Made(LongFlac(), "sox -n -r 48000 -c 2 -b 16 '" + LongFlac() +
                              "' synth 10:00 sine 440 sine 660 vol 0.5"))
        return state.SkipWithError("sox could not make the FLAC file");
    Run(state, LongFlac(), "done");
}

void Floor_DecodeLongFlac(benchmark::State& state) {
    Run(state, {}, {});
}

void Figure_DecodeGiantBlock(benchmark::State& state) {
    if (!Made(GiantBlock(),
              "ffmpeg -loglevel error -f lavfi -i "
              "sine=frequency=100:sample_rate=1000:duration=5000 "
              "-af asetnsamples=n=5000000 -c:a pcm_s16le -f matroska - > '" +
                  GiantBlock() + "'"))
        return state.SkipWithError("ffmpeg could not make the Matroska file");
    Run(state, GiantBlock(), std::string("failed ") + kSoundTooLong);
}

void Floor_DecodeGiantBlock(benchmark::State& state) {
    Run(state, {}, {});
}

BENCHMARK(Floor_DecodeLongFlac)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Figure_DecodeLongFlac)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Floor_DecodeGiantBlock)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Figure_DecodeGiantBlock)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
