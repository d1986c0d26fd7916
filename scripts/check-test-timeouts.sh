#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a test of the given build folder has no TIMEOUT: every test
# must end, so that a hung one fails with its name.
set -euo pipefail
build="${1:?usage: $0 <build folder>}"
ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
tests = json.load(sys.stdin)["tests"]
missing = [t["name"] for t in tests
           if not any(p["name"] == "TIMEOUT" for p in t.get("properties", []))]
for name in missing:
    print("no TIMEOUT:", name, file=sys.stderr)
sys.exit(1 if missing else 0)
'
