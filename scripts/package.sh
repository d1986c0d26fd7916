#!/usr/bin/env bash
# The README's package command: a release build of the program, then with
# CPack the Debian package (laid out the Unix way, with its menu entry) and
# the portable .tar.gz of the program folder, both in build/packages/.
set -euo pipefail
cd "$(dirname "$0")/.."

out="$PWD/build/packages"
mkdir -p "$out"

# Linux: the program and what the Debian package adds to it.
cmake --preset release
cmake --build --preset release --target sonatrix sonatrix_package_docs
(cd build/release && cpack -B "$out")
rm -rf "$out/_CPack_Packages"

# Windows: the ZIP of the portable program folder, from the mingw build,
# goes here.

echo
echo "package: built in $out"
ls -1 "$out"
