#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and its tests for Windows with mingw-w64, and the
# release program with its ZIP and installer, and runs the tests under Wine,
# in a Wine prefix of their own that is removed afterwards. The
# windows need the Qt for Windows beside the repository (../shared/qt6-mingw,
# or SONATRIX_QT_MINGW_DIR); without it the core is built and tested alone.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
wine_loader=$(command -v wine64 || command -v /usr/lib/wine/wine64 || command -v wine || true)
if ! command -v "$compiler" >/dev/null || [[ -z "$wine_loader" ]] ||
    ! command -v wineboot >/dev/null || ! command -v wineserver >/dev/null; then
    echo "test-windows: skipped (needs $compiler and wine)"
    exit 0
fi

source scripts/temporary-wine-prefix.sh sonatrix-wine

# A new prefix now and then comes up without its system libraries (Wine
# then says it "could not load kernel32.dll"): make it again, a few times.
make_prefix() {
    wineboot -i && wineserver -w &&
        # Windows the tests open go to Wine's display driver for no display:
        # none needs a screen, and none appears on the user's.
        "$wine_loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
            >/dev/null 2>&1 </dev/null && wineserver -w &&
        # One wineserver for the whole run: each test starts a Wine process,
        # and a server that stays up saves its start-up for every one of them.
        # The prefix's services are started here, away from CTest's pipes:
        # started by a test they would keep its stderr open and CTest would
        # wait for them.
        wineserver -p >/dev/null 2>&1 </dev/null &&
        "$wine_loader" cmd /c exit >/dev/null 2>&1 </dev/null
}
for attempt in 1 2 3; do
    echo "test-windows: Wine prefix $WINEPREFIX"
    make_prefix && break
    if ((attempt == 3)); then
        echo "test-windows: Wine could not make a working prefix" >&2
        exit 1
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX" && mkdir "$WINEPREFIX"
done

cmake --preset mingw
cmake --build --preset mingw -- -j2
scripts/check-test-timeouts.sh build/mingw
# The release program and the downloads made of it, which the tests try too
# (tests/windows: its folder, the ZIP, the installer's round trip).
packages="$PWD/build/mingw-release/package"
rm -rf "$packages"
scripts/package-windows.sh "$packages"
export SONATRIX_RELEASE_PROGRAM_FOLDER="$PWD/build/mingw-release/app"
export SONATRIX_WINDOWS_PACKAGES="$packages"
# Under the private sound server: Wine plays the sound scheme through it.
# Wine now and then fails to start a program at all, with no output (once in
# some thousand starts): only such tests are run once more, by name, and the
# run says which. A test that ran and failed is never run again.
junit="$PWD/build/mingw/Testing/wine-run.xml"
status=0
scripts/with-sound-server.sh ctest --preset mingw --output-junit "$junit" || status=$?
if ((status != 0)); then
    unstarted=$(scripts/unstarted-wine-tests.py build/mingw "$junit")
    [[ -n "$unstarted" ]] || exit "$status"
    echo "test-windows: Wine started no program for $unstarted; running these once more"
    scripts/with-sound-server.sh ctest --preset mingw -R "$unstarted"
fi
