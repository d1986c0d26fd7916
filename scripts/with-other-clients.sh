#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command while clients of every kind the program looks for run
# elsewhere on the machine: QQ, TM and MSN beside their sounds, an unknown
# program beside a sound folder, and Pidgin. Tests run two at a time and
# start such clients of their own; a test that sees processes beyond its own
# would then fail now and then. With these always running it fails every
# time, as it would on a user's machine where Pidgin or QQ is open.
set -euo pipefail

if [ "$#" -eq 0 ]; then
    echo "usage: $0 <command> [arguments...]" >&2
    exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/sonatrix-clients.XXXXXX")"
pids=()
stop_clients() {
    if ((${#pids[@]})); then
        kill "${pids[@]}" 2>/dev/null || true
        wait "${pids[@]}" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap stop_clients EXIT
trap 'exit 130' INT TERM

sleeper="$(command -v sleep)"
for client in QQ/Bin/QQ.exe TM/Bin/TM.exe MSN/msnmsgr.exe Other/Chat.exe bin/pidgin; do
    mkdir -p "$work/$(dirname "$client")"
    cp "$sleeper" "$work/$client"
done
mkdir -p "$work/QQ/Misc/sound" "$work/TM/Misc/sound" "$work/Other/sound"
for sound in QQ/Misc/sound/msg.wav TM/Misc/sound/msg.wav MSN/ring.wav MSN/type.wav \
    Other/sound/msg.wav; do
    printf 'RIFF' >"$work/$sound"
done

for client in QQ/Bin/QQ.exe TM/Bin/TM.exe MSN/msnmsgr.exe Other/Chat.exe bin/pidgin; do
    "$work/$client" infinity &
    pids+=($!)
done

status=0
"$@" || status=$?
exit "$status"
