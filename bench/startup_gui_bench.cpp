// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: from process start to the main window's first frame drawn,
// with the shipped library and a running client, beside two floors: a
// minimal Qt program that shows one window with one label in the program's
// font (the fair floor), and one that shows an empty window (for
// reference); all offscreen. Also the peak resident memory of each, and the
// libraries each has loaded when its window is up. The three take turns,
// many times, and each row states the median: a machine busy with other
// work slows them alike. Then the first preview against a second one: the
// first loads the sound module.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "catalogue/catalogue.h"
#include "standin_process.h"
#include "temp_dir.h"
#include "wav_files.h"

extern char** environ;

namespace sonatrix {
namespace {

namespace fs = std::filesystem;

testing::TempDir& Scratch() {
    static testing::TempDir scratch;
    return scratch;
}

// Runs `argv` to its end with SONATRIX_PROBE_REPORT naming a fresh file;
// returns its peak resident memory in MiB (negative when it did not end
// well) and what it reported, by key (the last value of each).
double RunToEnd(std::vector<std::string> argv, std::multimap<std::string, std::string>& report) {
    const fs::path reportFile = Scratch().Path() / "report";
    fs::remove(reportFile);
    setenv("SONATRIX_PROBE_REPORT", reportFile.c_str(), 1);
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    report.clear();
    std::ifstream in(reportFile);
    for (std::string key, value; in >> key >> value;)
        report.emplace(key, value);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A QQ client with its sounds, so the first show finds one and asks nothing.
void StartClient() {
    static std::unique_ptr<testing::StandInProcess> client;
    if (client)
        return;
    const fs::path root = Scratch().Path() / "client";
    for (const char* name : kQQBackupFiles) {
        const fs::path to = root / "QQ/Misc/sound" / name;
        fs::create_directories(to.parent_path());
        fs::copy_file(fs::path(SONATRIX_APP_DIR) / "qqsounds" / name, to);
    }
    client = std::make_unique<testing::StandInProcess>(root / "QQ/Bin/QQ.exe");
}

// 1 when a library whose file name contains `name` is among those loaded.
double Loaded(const std::multimap<std::string, std::string>& report, const std::string& name) {
    const auto [from, to] = report.equal_range("library");
    for (auto it = from; it != to; ++it)
        if (fs::path(it->second).filename().string().find(name) != std::string::npos)
            return 1;
    return 0;
}

struct StartUp {
    double milliseconds = -1;  // the median
    double peakMiB = 0;
    std::multimap<std::string, std::string> report;
};

enum Probe { kProgram, kLabel, kEmptyWindow, kProbes };

// Each probe started many times in turns; the medians, or -1 for a probe
// that did not start and end cleanly.
const std::vector<StartUp>& StartUps() {
    static const std::vector<StartUp> startUps = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // A data folder of the benchmark's own: a Sonatrix the user runs
        // must not answer the program's single-instance check.
        setenv("XDG_DATA_HOME", (Scratch().Path() / "data").c_str(), 1);
        StartClient();
        const std::vector<std::string> argvs[kProbes] = {{SONATRIX_PROGRAM_PROBE, SONATRIX_APP_DIR},
                                                         {SONATRIX_LABEL_PROBE},
                                                         {SONATRIX_MINIMAL_PROBE}};
        std::vector<StartUp> result(kProbes);
        std::vector<double> times[kProbes];
        constexpr int kRounds = 21;
        for (int round = 0; round < kRounds; ++round) {
            for (int turn = 0; turn < kProbes; ++turn) {
                const int probe = (round + turn) % kProbes;
                const auto start = std::chrono::steady_clock::now();
                const double peak = RunToEnd(argvs[probe], result[probe].report);
                const auto frame = result[probe].report.find("first_frame_ns");
                if (peak < 0 || frame == result[probe].report.end())
                    return std::vector<StartUp>(kProbes);
                const std::chrono::steady_clock::time_point firstFrame{
                    std::chrono::nanoseconds(std::stoll(frame->second))};
                times[probe].push_back(
                    std::chrono::duration<double, std::milli>(firstFrame - start).count());
                result[probe].peakMiB = std::max(result[probe].peakMiB, peak);
            }
        }
        for (int probe = 0; probe < kProbes; ++probe) {
            std::sort(times[probe].begin(), times[probe].end());
            result[probe].milliseconds = times[probe][times[probe].size() / 2];
        }
        return result;
    }();
    return startUps;
}

void Report(benchmark::State& state, Probe probe) {
    const StartUp& startUp = StartUps()[probe];
    for (auto _ : state) {
        if (startUp.milliseconds < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(startUp.milliseconds / 1000);
    }
    state.counters["peak_rss_mib"] = startUp.peakMiB;
    const auto libraries = startUp.report.find("libraries");
    state.counters["libraries"] =
        libraries == startUp.report.end() ? -1 : std::stod(libraries->second);
    state.counters["loads_qt_multimedia"] = Loaded(startUp.report, "libQt6Multimedia");
    state.counters["loads_qt_network"] = Loaded(startUp.report, "libQt6Network");
    state.counters["loads_gio"] = Loaded(startUp.report, "libgio-2.0");
}

void Figure_StartUp(benchmark::State& state) {
    Report(state, kProgram);
}

void Floor_StartUp(benchmark::State& state) {
    Report(state, kLabel);
}

void Floor_StartUpEmptyWindow(benchmark::State& state) {
    Report(state, kEmptyWindow);
}

// The first and the second preview of one process, in milliseconds.
std::pair<double, double> Previews() {
    static std::pair<double, double> times{-1, -1};
    if (times.first >= 0)
        return times;
    const fs::path wav = Scratch().Path() / "preview.wav";
    testing::WriteFile(wav, testing::ToneWav(1.0, 440));
    std::multimap<std::string, std::string> report;
    if (RunToEnd({SONATRIX_PREVIEW_PROBE, SONATRIX_APP_DIR, wav.string()}, report) < 0 ||
        !report.count("first_ms") || !report.count("second_ms"))
        return times;
    times = {std::stod(report.find("first_ms")->second),
             std::stod(report.find("second_ms")->second)};
    return times;
}

// Once: a process has one first preview.
void Preview(benchmark::State& state, double milliseconds) {
    for (auto _ : state) {
        if (milliseconds < 0) {
            state.SkipWithError("the preview probe did not play");
            return;
        }
        state.SetIterationTime(milliseconds / 1000);
    }
}

void Figure_FirstPreview(benchmark::State& state) {
    Preview(state, Previews().first);
}

void Floor_FirstPreview(benchmark::State& state) {
    Preview(state, Previews().second);
}

BENCHMARK(Floor_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(Floor_StartUpEmptyWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(Figure_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(Figure_FirstPreview)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(Floor_FirstPreview)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
