// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the benchmarks that need the windows: Qt's application
// object first, then Google Benchmark.
#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
