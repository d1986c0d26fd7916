#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's package command: a release build of the program (with
# Debian's hardening flags), then with CPack the Debian package (laid out the
# Unix way, with its menu entry) and the portable .tar.gz of the program
# folder, and the Windows ZIP and installer, all in build/packages/.
set -euo pipefail
cd "$(dirname "$0")/.."

out="$PWD/build/packages"
mkdir -p "$out"

# Linux: the program and what the Debian package adds to it.
cmake --preset release
cmake --build --preset release --target sonatrix sonatrix_package_docs
(cd build/release && cpack -B "$out")
rm -rf "$out/_CPack_Packages"

# Windows: the ZIP of the program folder and the installer, from the
# mingw-release build (it says so and makes none where the Qt for Windows
# is missing).
scripts/package-windows.sh "$out"

echo
echo "package: built in $out"
ls -1 "$out"
