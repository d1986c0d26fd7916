#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the source tree before anything is built: every C++ file is
# formatted as .clang-format says, every source file carries the licence's
# SPDX line, and the core's folders depend on each other one way only (a
# folder includes only folders listed before it).
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    echo "check-source: files above are not formatted; run 'make format'" >&2
    status=1
fi

spdx='SPDX-License-Identifier: GPL-3.0-or-later'
while read -r file; do
    echo "check-source: $file lacks the line '$spdx'" >&2
    status=1
done < <(git grep -L -F "$spdx" -- '*.cpp' '*.h' '*.c' '*.sh' '*.py' '*.cmake' \
    'CMakeLists.txt' '*/CMakeLists.txt' Makefile .ci/run)

layers=(platform catalogue model discovery library originals replace app)
rank() {
    local i
    for i in "${!layers[@]}"; do
        [[ "${layers[$i]}" == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
}
while IFS=: read -r file _ include; do
    from=$(cut -d/ -f3 <<<"$file")
    to=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
    [[ "$from" == "$to" ]] && continue
    from_rank=$(rank "$from")
    to_rank=$(rank "$to")
    if ((from_rank < 0 || to_rank < 0 || to_rank > from_rank)); then
        echo "check-source: $file includes $to/ (the order is ${layers[*]})" >&2
        status=1
    fi
done < <(git grep -n -E '^#include "[^/"]+/' -- 'src/core/*.cpp' 'src/core/*.h')

exit "$status"
