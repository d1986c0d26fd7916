#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command against a private PulseAudio daemon with one null sink, so
# playback and recording work for real with no sound card and no display.
# What is played is captured: the default source is the null sink's monitor,
# remapped, since Qt lists no monitor sources as inputs.
set -euo pipefail

if [ "$#" -eq 0 ]; then
    echo "usage: $0 <command> [arguments...]" >&2
    exit 2
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/sonatrix-pulse.XXXXXX")"
socket="$work/native"
daemon_pid=""

stop_daemon() {
    if [ -n "$daemon_pid" ] && kill -0 "$daemon_pid" 2>/dev/null; then
        kill "$daemon_pid" 2>/dev/null || true
        wait "$daemon_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap stop_daemon EXIT
trap 'exit 130' INT TERM

mkdir -p "$work/state" "$work/runtime"

cat > "$work/default.pa" <<PA
load-module module-null-sink sink_name=sonatrix_null sink_properties=device.description=SonatrixNull
load-module module-native-protocol-unix socket=$socket auth-anonymous=1
set-default-sink sonatrix_null
load-module module-remap-source master=sonatrix_null.monitor source_name=sonatrix_capture source_properties=device.description=SonatrixCapture
set-default-source sonatrix_capture
PA

# The daemon keeps its state and cookie in the temporary folder, never in
# the user's home (the command itself keeps the real HOME); as root it must
# be told explicitly that it is no system-wide instance.
HOME="$work" XDG_RUNTIME_DIR="$work/runtime" PULSE_STATE_PATH="$work/state" \
    PULSE_RUNTIME_PATH="$work/runtime" \
    pulseaudio -n --daemonize=no --system=no --disallow-exit --exit-idle-time=-1 \
    --use-pid-file=no --disable-shm=yes -F "$work/default.pa" \
    >"$work/daemon.log" 2>&1 &
daemon_pid=$!

export PULSE_SERVER="unix:$socket"
for _ in $(seq 1 100); do
    if pactl info >/dev/null 2>&1; then
        break
    fi
    if ! kill -0 "$daemon_pid" 2>/dev/null; then
        echo "the sound server did not start:" >&2
        cat "$work/daemon.log" >&2
        exit 1
    fi
    sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
    echo "the sound server does not answer at $PULSE_SERVER" >&2
    cat "$work/daemon.log" >&2
    exit 1
fi

# Not exec: the trap must stop the daemon when the command ends.
status=0
"$@" || status=$?
exit "$status"
