# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run Windows programs: a Wine prefix of their
# own in a temporary folder, with Wine quiet and without the Mono and Gecko
# installer prompts, stopped and removed when the script ends.
#   source scripts/temporary-wine-prefix.sh NAME
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

remove_wine_prefix() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap remove_wine_prefix EXIT
trap 'exit 130' INT TERM
