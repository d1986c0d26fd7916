#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the windows under a virtual display, with the demo client
# running so the main window shows a found target.
#   scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -eu
build=${1:-build/dev}
out=${2:-$build/screenshots}
tool=$build/tools/screenshots/sonatrix_screenshots
demo=$build/demo/Tencent/QQ/Bin/QQ.exe

if [ ! -x "$tool" ]; then
    echo "build the tool first: ninja -C $build sonatrix_screenshots" >&2
    exit 1
fi

demo_pid=
if [ -x "$demo" ]; then
    "$demo" &
    demo_pid=$!
    trap 'kill "$demo_pid" 2>/dev/null || true' EXIT
else
    echo "no demo client at $demo: the window will show the waiting state" >&2
fi

xvfb-run -a "$tool" "$build/app" "$out"
