#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in release mode, runs each once and prints one table:
# every figure beside its floor, measured in the same run, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench > /dev/null
cmake --build --preset bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Qt wants a private runtime folder; without one it warns on every start.
export XDG_RUNTIME_DIR="$out/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
for program in build/bench/bench/*_bench; do
    [[ -x "$program" ]] || continue
    echo "running $(basename "$program") ..." >&2
    # The previews play on the private sound server, as they would on a desktop's.
    runner=()
    [[ "$program" == */startup_gui_bench ]] && runner=(scripts/with-sound-server.sh)
    QT_QPA_PLATFORM=offscreen "${runner[@]}" "$program" --benchmark_format=json \
        --benchmark_out="$out/$(basename "$program").json" --benchmark_out_format=json > /dev/null
done
python3 scripts/bench_table.py "$out"/*.json
