#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Qt Test program under Wine and prints its results. Under Wine a
# Windows program's standard output is a pipe, where Qt Test writes to the
# debugger instead: the results go to a file, printed afterwards.
#
#   run_under_wine.sh WINE PROGRAM [test arguments...]
set -uo pipefail
wine="$1"
program="$2"
shift 2

results=$(mktemp "${TMPDIR:-/tmp}/sonatrix-qttest.XXXXXX")
trap 'rm -f "$results"' EXIT

status=0
"$wine" "$program" "$@" -o "Z:$results,txt" </dev/null || status=$?
cat "$results"
exit "$status"
