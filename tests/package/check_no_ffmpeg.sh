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

if needs "$1" | grep -Ei 'avformat|avcodec'; then
    echo "$1 needs FFmpeg's libraries above"
    exit 1
fi
if ! needs "$2" | grep -Eiq 'avformat'; then
    echo "$2 does not need libavformat: the libraries were not read"
    exit 1
fi
echo "$1 needs no FFmpeg library; $2 does"
