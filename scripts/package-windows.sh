#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows program folder in release mode with mingw-w64 and makes
# what a Windows user downloads, in OUT_DIR (by default
# build/mingw-release/package/): Sonatrix-<version>-windows-x64.zip, unpacked
# and run anywhere, and the installer Sonatrix-<version>-setup.exe.
#
#   scripts/package-windows.sh [OUT_DIR]
# Needs the Qt for Windows beside the repository (../shared/qt6-mingw, or
# SONATRIX_QT_MINGW_DIR); without it there are no windows to ship and it
# says so.
set -euo pipefail
cd "$(dirname "$0")/.."
# The archive names its Chinese files in UTF-8, flagged so Windows reads them so.
export LC_ALL=C.UTF-8

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "package-windows: skipped (needs x86_64-w64-mingw32-g++-posix)"
    exit 0
fi
cmake --preset mingw-release
if [[ ! -f build/mingw-release/CPackWindowsConfig.cmake ]]; then
    echo "package-windows: skipped (no Qt for Windows, so no program to ship)"
    exit 0
fi
cmake --build --preset mingw-release --target sonatrix -- -j2
out="${1:-$PWD/build/mingw-release/package}"
mkdir -p "$out"
cpack --config build/mingw-release/CPackWindowsConfig.cmake -B "$out"
rm -rf "$out/_CPack_Packages"
