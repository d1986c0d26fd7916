// SPDX-License-Identifier: GPL-3.0-or-later
// The Config.db scan over 256 MiB, beside a plain memchr pass over the same
// bytes: the scan should stay within 1.5x of it and above 1 GB/s.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "replace/config_db_scan.h"

namespace {

constexpr std::size_t kSize = 256u << 20;
constexpr unsigned char kAbsent = 0xA7;  // never in the settings-like bytes
const std::string kRecordedPath = "D:\\QQsounds\\msg.wav";

// Records as a settings file holds them: small integers and zeros, UTF-16
// texts, and now and then a single-byte path without "msg."; the path the
// scan looks for comes last, so the whole buffer is read.
const std::string& SettingsLike() {
    static const std::string bytes = [] {
        std::string out;
        out.reserve(kSize);
        std::mt19937 random(7);
        const std::string path = "C:\\Program Files\\Tencent\\QQ\\Users\\face.bmp";
        while (out.size() < kSize - kRecordedPath.size() - 1) {
            const unsigned kind = random() % 4096;
            if (kind == 0) {
                out += path;
                out += '\0';
            } else if (kind < 1024) {
                for (const char c : std::string("nickname"))
                    out += {c, '\0'};
            } else {
                std::uint32_t value = random() % 4096;
                if ((value & 0xFF) == kAbsent)
                    value ^= 1;
                out.append(reinterpret_cast<const char*>(&value), sizeof value);
                out.append(4, '\0');
            }
        }
        out.resize(kSize - kRecordedPath.size() - 1, '\0');
        out += kRecordedPath;
        out += '\0';
        return out;
    }();
    return bytes;
}

// Uniform random bytes: a colon every 256 bytes, a drive letter before one
// in ten of them. The worst case for the candidate windows.
const std::string& RandomBytes() {
    static const std::string bytes = [] {
        std::string out(kSize, '\0');
        std::mt19937_64 random(11);
        const std::size_t filled = kSize - kRecordedPath.size();
        for (std::size_t i = 0; i + 8 <= filled; i += 8) {
            const std::uint64_t word = random();
            std::memcpy(&out[i], &word, 8);
        }
        // No "msg." by chance before the end.
        for (std::size_t at = out.find("msg."); at < filled; at = out.find("msg.", at))
            out[at] = 'M';
        out.replace(filled, kRecordedPath.size(), kRecordedPath);
        return out;
    }();
    return bytes;
}

void Figure_ConfigDbScan(benchmark::State& state, const std::string& (*buffer)()) {
    const std::string& bytes = buffer();
    for (auto _ : state) {
        std::string folder = sonatrix::RecordedSoundFolder(bytes);
        benchmark::DoNotOptimize(folder);
        if (folder != "D:\\QQsounds\\")
            state.SkipWithError("wrong folder");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// One memchr over the whole buffer, for a byte it does not hold (random
// bytes hold every byte, so there it is compared with the colon-to-colon pass).
void Floor_ConfigDbScan(benchmark::State& state, const std::string& (*buffer)()) {
    const std::string& bytes = buffer();
    for (auto _ : state) {
        const void* found = std::memchr(bytes.data(), kAbsent, bytes.size());
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// memchr from colon to colon: the first stage of the scan alone.
void Floor_ConfigDbScanColons(benchmark::State& state, const std::string& (*buffer)()) {
    const std::string& bytes = buffer();
    for (auto _ : state) {
        std::size_t colons = 0;
        const char* at = bytes.data();
        const char* end = at + bytes.size();
        while (const void* hit = std::memchr(at, ':', static_cast<std::size_t>(end - at))) {
            ++colons;
            at = static_cast<const char*>(hit) + 1;
        }
        benchmark::DoNotOptimize(colons);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The scan beside its colon-to-colon pass alone: the only floor for random
// bytes, which hold every byte value.
void Figure_ConfigDbScanColons(benchmark::State& state, const std::string& (*buffer)()) {
    Figure_ConfigDbScan(state, buffer);
}

BENCHMARK_CAPTURE(Figure_ConfigDbScan, SettingsLike, &SettingsLike)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ConfigDbScan, SettingsLike, &SettingsLike)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Figure_ConfigDbScanColons, SettingsLike, &SettingsLike)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ConfigDbScanColons, SettingsLike, &SettingsLike)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Figure_ConfigDbScanColons, RandomBytes, &RandomBytes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ConfigDbScanColons, RandomBytes, &RandomBytes)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
