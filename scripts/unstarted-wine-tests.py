#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""When every failed test of a Wine run is one whose program never started
(run through Wine, failed, and printed nothing at all), prints a CTest
regular expression naming them; otherwise prints nothing. A test program of
ours always prints (GoogleTest's main says it is running before any test),
so such a failure is Wine's, not the test's.

    unstarted-wine-tests.py <build folder> <JUnit file of the run>
"""
import json
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def wine_tests(build):
    listing = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    return {test["name"] for test in json.loads(listing)["tests"]
            if re.search(r"(^|/)wine(64)?$", test.get("command", [""])[0])}


def failures(junit):
    """The failed tests, each with whether it printed anything."""
    for case in ElementTree.parse(junit).iter("testcase"):
        if case.get("status") == "fail":
            output = "".join(case.findtext(tag) or "" for tag in ("system-out", "system-err"))
            yield case.get("name"), bool(output.strip())


def main():
    build, junit = sys.argv[1], sys.argv[2]
    failed = list(failures(junit))
    through_wine = wine_tests(build)
    if not failed or any(printed or name not in through_wine for name, printed in failed):
        return
    print("^(" + "|".join(re.escape(name) for name, _ in sorted(failed)) + ")$")


if __name__ == "__main__":
    main()
