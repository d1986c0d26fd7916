#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets and runs each for the given number of seconds
# (default 60) on a copy of its committed seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-deps.sh --fuzz
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in build/fuzz/fuzz/*_fuzz; do
    name=$(basename "$target" _fuzz)
    mkdir -p "$work/$name"
    [[ -d "fuzz/corpus/$name" ]] && cp -r "fuzz/corpus/$name/." "$work/$name/"
    echo "== $name: ${seconds}s"
    status=0
    "$target" -max_total_time="$seconds" -print_final_stats=1 "$work/$name" \
        > "$work/$name.log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)" "$work/$name.log" || true
    if ((status != 0)); then
        tail -n 40 "$work/$name.log"
        echo "$name: the fuzzer found a crash (exit $status)"
        exit 1
    fi
done
