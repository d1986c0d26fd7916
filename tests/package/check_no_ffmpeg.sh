#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program does not load FFmpeg: only its decoding helper does. Reads
# what each executable needs as the loader sees it (ldd; a Windows
# executable's import table) and checks both, so that a reader that sees
# nothing fails too.
#
#   check_no_ffmpeg.sh PROGRAM HELPER
set -euo pipefail

needs() {
    case "$1" in
        *.exe) x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/.*DLL Name: //p' ;;
        *) ldd "$1" ;;
    esac
}

# Each list is read whole before it is searched: under pipefail, a grep that
# stops at its first match kills the reader with SIGPIPE and fails the check.
program_needs=$(needs "$1")
helper_needs=$(needs "$2")
if grep -Ei 'avformat|avcodec' <<<"$program_needs"; then
    echo "$1 needs FFmpeg's libraries above"
    exit 1
fi
if ! grep -Eiq 'avformat' <<<"$helper_needs"; then
    echo "$2 does not need libavformat: the libraries were not read"
    exit 1
fi
echo "$1 needs no FFmpeg library; $2 does"
