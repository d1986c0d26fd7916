#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the demo client (a stand-in QQ.exe in a QQ-like folder), then
# Sonatrix from the program folder, and ends the client when Sonatrix exits.
#
#   scripts/run-demo.sh [--no-client | --client-after SECONDS] <build-dir>
#
#   --no-client             start Sonatrix with the client stopped, to see it
#                           wait for one (also DEMO_CLIENT=off)
#   --client-after SECONDS  start the client that long after Sonatrix, to see
#                           the poll find it (also DEMO_CLIENT=SECONDS)
set -euo pipefail

usage() {
    sed -n '5,12s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

client_mode="${DEMO_CLIENT:-on}"
while (($# > 0)); do
    case "$1" in
        --no-client) client_mode=off; shift ;;
        --client-after)
            (($# >= 2)) || usage
            client_mode="$2"; shift 2 ;;
        -h | --help) usage ;;
        -*) echo "run-demo: unknown option $1" >&2; usage ;;
        *) break ;;
    esac
done
(($# == 1)) || usage
build_dir="$1"

case "$client_mode" in
    on | off) ;;
    *)
        if ! [[ "$client_mode" =~ ^[0-9]+$ ]]; then
            echo "run-demo: the client delay must be a whole number of seconds, not '$client_mode'" >&2
            exit 2
        fi ;;
esac

program="$build_dir/app/sonatrix"
client="$build_dir/demo/Tencent/QQ/Bin/QQ.exe"
for needed in "$program" "$client"; do
    if [[ ! -x "$needed" ]]; then
        echo "run-demo: $needed is missing; build first (cmake --build --preset dev)" >&2
        exit 1
    fi
done

client_pid=""
end_client() {
    if [[ -n "$client_pid" ]] && kill -0 "$client_pid" 2>/dev/null; then
        kill "$client_pid" 2>/dev/null || true
        wait "$client_pid" 2>/dev/null || true
    fi
}
trap end_client EXIT
trap 'exit 130' INT TERM

case "$client_mode" in
    on)
        "$client" &
        client_pid=$!
        echo "run-demo: demo client running as $client (pid $client_pid)" ;;
    off)
        echo "run-demo: no demo client; Sonatrix will wait for one" ;;
    *)
        # exec keeps the pid, so the trap ends the client, or the wait before it.
        (sleep "$client_mode" && exec "$client") &
        client_pid=$!
        echo "run-demo: the demo client starts in $client_mode s" ;;
esac

launcher=()
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    if ! command -v xvfb-run >/dev/null; then
        echo "run-demo: no display (DISPLAY and WAYLAND_DISPLAY are unset) and no xvfb-run" >&2
        exit 1
    fi
    echo "run-demo: no display found; running Sonatrix under xvfb-run -a (an invisible screen)"
    launcher=(xvfb-run -a)
fi

status=0
"${launcher[@]}" "$program" || status=$?
exit "$status"
