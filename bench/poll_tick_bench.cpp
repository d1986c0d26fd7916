// SPDX-License-Identifier: GPL-3.0-or-later
// The poll tick that runs every five seconds while no client runs: the
// three tries over the real /proc with 300 extra stand-in processes, beside
// the floor of reading every /proc/PID/maps once.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
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

void Floor_PollTick(benchmark::State& state) {
    StartStandIns();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadEveryMaps());
}

void Figure_PollTick(benchmark::State& state) {
    StartStandIns();
    bench::NativeModel world("/");
    bool found = false;
    for (auto _ : state)
        found = M_find_qq(world.model);
    state.counters["found"] = found;
}

BENCHMARK(Floor_PollTick)->Unit(benchmark::kMillisecond);
BENCHMARK(Figure_PollTick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonatrix

BENCHMARK_MAIN();
