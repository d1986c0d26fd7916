#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer
# (the asan preset) and runs them. Leaks count as failures; only the
# libraries listed in tests/lsan.supp may leak. Pass "core" to build and
# run core_tests alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
root=$(pwd)
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
cmake --preset asan > /dev/null
if [[ "${1:-}" == "core" ]]; then
    cmake --build --preset asan --target core_tests
    ctest --preset asan -E '_test$' -j2  # the Qt tests are named *_test
else
    cmake --build --preset asan
    ctest --preset asan -j2
fi
