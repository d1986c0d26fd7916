#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the Windows downloads in a folder as a user and a redistributor
see them: the ZIP unpacks into one folder whose name stays the same from
version to version (a newer ZIP unpacked over an older one keeps what the
user added), it is a portable folder (no installer's marker), it carries
every licence text, source note and recipe its licence files name, and the
installer lies beside it. The installer itself is tried under Wine
(tests/windows/installer_win_test.cpp).

usage: check_windows_package.py <version>   (the folder: $SONATRIX_WINDOWS_PACKAGES)
Exits 77 (skipped) when that variable is not set.
"""
import os
import re
import sys
import zipfile

TOP = "Sonatrix/"
INSTALLED_MARKER = "installed.txt"
SKIPPED = 77

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def text(archive, name):
    return archive.read(name).decode("utf-8", errors="replace")


def check_zip(path):
    with zipfile.ZipFile(path) as archive:
        names = set(archive.namelist())
        outside = sorted(name for name in names if not name.startswith(TOP))
        check(not outside, f"the ZIP has entries outside {TOP}: {outside[:5]}")
        files = {name.removeprefix(TOP) for name in names if not name.endswith("/")}
        check("sonatrix.exe" in files, "the ZIP holds no sonatrix.exe")
        check(INSTALLED_MARKER not in files,
              f"the ZIP holds {INSTALLED_MARKER}: unpacked, it would not be portable")

        licence_files = sorted(name for name in files
                               if name.startswith("licences/") and name.count("/") == 1
                               and name.endswith(".txt")) + ["fonts/ARPHICPL.txt"]
        for name in licence_files:
            if not check(name in files, f"the ZIP lacks {name}"):
                continue
            content = text(archive, TOP + name)
            # A Debian copyright file points at texts a Windows user lacks.
            for pointed in set(re.findall(r"common-licenses/([A-Za-z0-9+.-]*[A-Za-z0-9+])",
                                          content)):
                check(f"licences/{pointed}.txt" in files,
                      f"{name} points at {pointed}, whose text the ZIP does not carry")
        # What the notes for the user name is there.
        for note in ("licences/README.txt", "licences/SOURCES.txt"):
            content = text(archive, TOP + note) if note in files else ""
            check(content, f"the ZIP lacks {note}")
            for named in set(re.findall(r"(?:\.\.\\)?(?:[\w.+-]+\\)*[\w.+-]+\.txt\b", content)):
                below = (named[3:] if named.startswith("..\\") else "licences\\" + named)
                check(below.replace("\\", "/") in files, f"{note} names {named}, which the ZIP lacks")
            for recipe in set(re.findall(r"recipes\\([\w.-]+)\\", content)):
                check(any(name.startswith(f"licences/recipes/{recipe}/") for name in files),
                      f"{note} names recipes\\{recipe}\\, which the ZIP lacks")


def main():
    version = sys.argv[1]
    folder = os.environ.get("SONATRIX_WINDOWS_PACKAGES")
    if not folder:
        print("skipped: SONATRIX_WINDOWS_PACKAGES is not set "
              "(scripts/test-windows.sh makes the packages and names their folder)")
        return SKIPPED
    zip_path = os.path.join(folder, f"Sonatrix-{version}-windows-x64.zip")
    installer = os.path.join(folder, f"Sonatrix-{version}-setup.exe")
    if check(os.path.isfile(zip_path), f"no {zip_path}"):
        check_zip(zip_path)
    check(os.path.isfile(installer), f"no {installer}")
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("windows packages: the ZIP and the installer are as they should be")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
