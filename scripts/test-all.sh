#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's test command: every stage in order, stopping at the first
# that fails, and each stage's time at the end (also after a failure).
set -uo pipefail
cd "$(dirname "$0")/.."

names=()
seconds=()
results=()
started=$(date +%s)

# A crash test's count ("kills", "power cuts") from a test run's log, when
# this run wrote the log (CTest shows the output of failing tests only).
survived() {
    local log="$1/Testing/Temporary/LastTest.log"
    [[ -f "$log" ]] && (($(stat -c %Y "$log") >= started)) || return 0
    awk -v what="^$2 survived: [0-9]+ of [0-9]+$" -v label="$3" \
        '$0 ~ what { survived += $(NF - 2); total += $NF }
        END { if (total) printf "%s: %d of %d\n", label, survived, total }' "$log"
}

summary() {
    echo
    echo "== stages"
    local i total=0
    for i in "${!names[@]}"; do
        printf '   %-28s %6ss  %s\n' "${names[$i]}" "${seconds[$i]}" "${results[$i]}"
        total=$((total + seconds[i]))
    done
    printf '   %-28s %6ss\n' "total" "$total"
    survived build/dev "power cuts" "power cuts survived"
    survived build/dev kills "kills survived"
    survived build/asan "power cuts" "power cuts survived under the sanitizers"
    survived build/asan kills "kills survived under the sanitizers"
}
trap summary EXIT

stage() {
    local name="$1"
    shift
    echo
    echo "== $name"
    local start=$SECONDS status=0
    "$@" || status=$?
    names+=("$name")
    seconds+=($((SECONDS - start)))
    if ((status != 0)); then
        results+=("FAILED (exit $status)")
        exit "$status"
    fi
    results+=("passed")
}

build_dev() {
    cmake --preset dev && cmake --build --preset dev && scripts/check-test-timeouts.sh build/dev
}

# What `make package` ships for Linux, whose packages the tests check.
build_release() {
    cmake --preset release &&
        cmake --build --preset release --target sonatrix sonatrix_package_docs &&
        scripts/check-test-timeouts.sh build/release
}

# Two at a time, one per core, as the sanitizer stage runs them, with other
# clients running so that a test seeing beyond its own processes fails.
run_tests() {
    scripts/with-sound-server.sh scripts/with-other-clients.sh ctest --preset dev -j2 &&
        ctest --preset release
}

stage "source check" scripts/check-source.sh
stage "build" build_dev
stage "release build" build_release
stage "tests" run_tests
stage "Windows build under Wine" scripts/test-windows.sh
stage "fuzz targets, 10 s each" scripts/fuzz.sh 10
stage "sanitizers" scripts/with-sound-server.sh scripts/test-sanitizers.sh
