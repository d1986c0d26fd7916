// SPDX-License-Identifier: GPL-3.0-or-later
// The poll tick that runs every five seconds while no client runs: the
// three tries over the real /proc with 300 extra stand-in processes, beside
// the floor of reading every /proc/PID/maps once. The two take turns, many
// times, and each row states the median: a machine busy with other work
// slows both alike. Measured once as the machine is, and once more with
// both cores kept busy by two spinning processes of the benchmark's own.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "discovery/process_lookup.h"
#include "native_model.h"
#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

constexpr int kStandIns = 300;

// Stand-ins that are no client: programs with no sound folder beside them.
void StartStandIns() {
    static testing::TempDir root;
    static std::vector<std::unique_ptr<testing::StandInProcess>> running;
    if (!running.empty())
        return;
    for (int i = 0; i < kStandIns; ++i)
        running.push_back(std::make_unique<testing::StandInProcess>(
            root.Path() / ("app" + std::to_string(i)) / "Bin" / "program.exe"));
}

long ReadEveryMaps() {
    long bytes = 0;
    DIR* proc = ::opendir("/proc");
    char buffer[1 << 16];
    while (dirent* entry = ::readdir(proc)) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0])))
            continue;
        const int fd = ::open((std::string("/proc/") + entry->d_name + "/maps").c_str(), O_RDONLY);
        if (fd < 0)
            continue;
        for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
            bytes += got;
        ::close(fd);
    }
    ::closedir(proc);
    return bytes;
}

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Medians {
    double floor = 0;
    double figure = 0;
};

// The floor and the tick in turns, each first every other round.
Medians TakeTurns() {
    StartStandIns();
    bench::NativeModel world("/");
    const auto floor = [] { benchmark::DoNotOptimize(ReadEveryMaps()); };
    const auto figure = [&world] { benchmark::DoNotOptimize(M_find_qq(world.model)); };
    constexpr int kRounds = 41;
    std::vector<double> floors, figures;
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            floors.push_back(Milliseconds(floor));
            figures.push_back(Milliseconds(figure));
        } else {
            figures.push_back(Milliseconds(figure));
            floors.push_back(Milliseconds(floor));
        }
    }
    return {Median(floors), Median(figures)};
}

// Two processes that spin until they are ended, one for each core.
class BusyCores {
  public:
    BusyCores() {
        for (pid_t& spinner : spinners_)
            if ((spinner = ::fork()) == 0)
                for (volatile unsigned long spin = 0;; spin = spin + 1) {
                }
    }
    ~BusyCores() {
        for (pid_t spinner : spinners_) {
            ::kill(spinner, SIGKILL);
            ::waitpid(spinner, nullptr, 0);
        }
    }

  private:
    pid_t spinners_[2] = {};
};

const Medians& AsTheMachineIs() {
    static const Medians medians = TakeTurns();
    return medians;
}

const Medians& WithBothCoresBusy() {
    static const Medians medians = [] {
        BusyCores busy;
        return TakeTurns();
    }();
    return medians;
}

void Report(benchmark::State& state, double milliseconds) {
    for (auto _ : state)
        state.SetIterationTime(milliseconds / 1000);
}

void Floor_PollTick(benchmark::State& state) {
    Report(state, AsTheMachineIs().floor);
}
void Figure_PollTick(benchmark::State& state) {
    Report(state, AsTheMachineIs().figure);
}
void Floor_PollTickBothCoresBusy(benchmark::State& state) {
    Report(state, WithBothCoresBusy().floor);
}
void Figure_PollTickBothCoresBusy(benchmark::State& state) {
    Report(state, WithBothCoresBusy().figure);
}

BENCHMARK(Floor_PollTick)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(Figure_PollTick)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK(Floor_PollTickBothCoresBusy)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK(Figure_PollTickBothCoresBusy)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
