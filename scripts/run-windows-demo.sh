#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the Windows download as a new user would: the ZIP unpacked into a
# fresh Wine prefix, a stand-in QQ.exe running under Wine with its six
# sounds, and Sonatrix started from the unpacked folder in a Wine virtual
# desktop. With a display it runs until Sonatrix is closed; without one it
# runs under xvfb-run and, after a while, writes a picture of the desktop to
# build/mingw/windows-demo.png. The prefix is removed at the end.
#
#   scripts/run-windows-demo.sh [SECONDS]   (how long to wait without a display; 20)
set -euo pipefail
cd "$(dirname "$0")/.."
wait_seconds="${1:-20}"

# sed reads the list to its end, so ls is never cut off by a closed pipe.
zip=$(ls -t build/mingw-release/package/Sonatrix-*-windows-x64.zip build/packages/Sonatrix-*-windows-x64.zip \
    2>/dev/null | sed -n 1p || true)
standin=build/mingw/tools/sonatrix_standin.exe
if [[ -z "$zip" || ! -f "$standin" ]]; then
    echo "run-windows-demo: build the ZIP first (make package or make package-windows)" >&2
    exit 1
fi
if [[ -z "${DISPLAY:-}" && "${RUN_WINDOWS_DEMO_INNER:-}" != 1 ]]; then
    echo "run-windows-demo: no display; running under xvfb-run -a (an invisible screen)"
    exec env RUN_WINDOWS_DEMO_INNER=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

wine=$(command -v wine64 || command -v /usr/lib/wine/wine64 || command -v wine)
source scripts/temporary-wine-prefix.sh sonatrix-demo-wine

echo "run-windows-demo: making a Wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
drive_c="$WINEPREFIX/drive_c"
unzip -q "$zip" -d "$drive_c"
folder=Sonatrix  # the ZIP's one folder, whatever the version
qq="$drive_c/Program Files/Tencent/QQ"
mkdir -p "$qq/Bin" "$qq/Misc/sound"
cp "$standin" "$qq/Bin/QQ.exe"
cp "$drive_c/$folder/qqsounds/"* "$qq/Misc/sound/"

"$wine" 'C:\Program Files\Tencent\QQ\Bin\QQ.exe' >/dev/null 2>&1 &
echo "run-windows-demo: QQ.exe running under Wine; starting C:\\$folder\\sonatrix.exe"
cd "$drive_c/$folder"
"$wine" explorer /desktop=Sonatrix,1000x700 sonatrix.exe >/dev/null 2>&1 &
desktop=$!
if [[ "${RUN_WINDOWS_DEMO_INNER:-}" == 1 ]]; then
    sleep "$wait_seconds"
    picture="$OLDPWD/build/mingw/windows-demo.png"
    import -window root "$picture"
    echo "run-windows-demo: wrote $picture"
else
    wait "$desktop" || true
fi
