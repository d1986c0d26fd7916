#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the packages of a build folder with CPack and checks them as a user
and Debian's tools see them: the .deb's files and control fields, its menu
entry and AppStream metadata as installed, its licence, the hardening of the
program (hardening-check), lintian, and the portable archive.

usage: check_package.py <cpack> <build folder> <program folder> <version>
"""
import configparser
import os
import re
import struct
import subprocess
import sys
import tarfile
import tempfile
import xml.etree.ElementTree as ElementTree

APP_ID = "org.sonatrix.Sonatrix"
SCREENSHOT = "/usr/share/doc/sonatrix/screenshots/main_window.png"
SOUND_MODULE = "sonatrix-sound.so"
# The main window's designed client area.
MAIN_WINDOW_SIZE = (723, 553)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(*command, cwd=None):
    return subprocess.run(command, cwd=cwd, capture_output=True, text=True)


def sound_module():
    """Where the package puts the sound module: the architecture's library
    folder, below usr/."""
    multiarch = run("dpkg-architecture", "-qDEB_HOST_MULTIARCH").stdout.strip()
    return f"usr/lib/{multiarch}/sonatrix/{SOUND_MODULE}"


def files_below(folder):
    """Every file below `folder`, as relative paths."""
    found = set()
    for base, _, names in os.walk(folder):
        for name in names:
            found.add(os.path.relpath(os.path.join(base, name), folder))
    return found


def package_names(relation_field):
    """The package names of a Depends field, without versions."""
    return {re.split(r"[\s(:]", alternative.strip())[0]
            for relation in relation_field.split(",")
            for alternative in relation.split("|") if alternative.strip()}


def owner_of(path):
    result = run("dpkg", "-S", path)
    return result.stdout.split(":")[0] if result.returncode == 0 else None


def needed_packages():
    """What the program loads at run time without linking it, by the
    package that holds it on this machine: the Qt plugins for the X11
    window, playing and recording, and the SVG pictures; the GStreamer
    elements that read WAV files and talk to the sound server."""
    plugins = run("qtpaths6", "--query", "QT_INSTALL_PLUGINS").stdout.strip()
    multiarch = run("dpkg-architecture", "-qDEB_HOST_MULTIARCH").stdout.strip()
    gstreamer = f"/usr/lib/{multiarch}/gstreamer-1.0"
    files = [f"{plugins}/platforms/libqxcb.so",
             f"{plugins}/multimedia/libgstreamermediaplugin.so",
             f"{plugins}/imageformats/libqsvg.so",
             f"{plugins}/iconengines/libqsvgicon.so",
             f"{gstreamer}/libgstwavparse.so",
             f"{gstreamer}/libgstpulseaudio.so"]
    needed = {}
    for path in files:
        owner = owner_of(path)
        if check(owner, f"no installed package holds {path}: cannot check the dependencies"):
            needed[path] = owner
    return needed


def covers_chinese(package):
    """True when an installed `package` ships a font with Simplified Chinese."""
    listing = run("dpkg", "-L", package)
    for path in listing.stdout.split():
        if path.endswith((".ttf", ".ttc", ".otf")) and os.path.isfile(path):
            languages = run("fc-query", "--format", "%{lang}\n", path).stdout
            if any("zh-cn" in line.split("|") for line in languages.splitlines()):
                return True
    return False


def deb_field(deb, name):
    return run("dpkg-deb", "-f", deb, name).stdout.strip()


def check_control(deb, version):
    def field(name):
        return deb_field(deb, name)

    check(field("Package") == "sonatrix", f"Package is {field('Package')!r}")
    check(field("Version") == version, f"Version is {field('Version')!r}, not {version}")
    architecture = run("dpkg", "--print-architecture").stdout.strip()
    check(field("Architecture") == architecture, f"Architecture is {field('Architecture')!r}")
    check(field("Section") == "sound", f"Section is {field('Section')!r}")
    check(re.fullmatch(r".+ <[^@<>\s]+@[^@<>\s]+>", field("Maintainer")),
          f"Maintainer {field('Maintainer')!r} is no name and address")
    check(len(field("Description").splitlines()) > 1, "the Description has no long text")
    depends = package_names(field("Depends"))
    # The linker's libraries, found by dpkg-shlibdeps.
    for library in ("libqt6widgets6", "libqt6multimedia6", "libebur128-1", "libc6",
                    "libseccomp2"):
        check(library in depends, f"Depends lacks {library}: dpkg-shlibdeps did not run")
    for path, owner in needed_packages().items():
        check(owner in depends, f"Depends lacks {owner}, which holds {path}")
    check(any(covers_chinese(package) for package in depends),
          "no package in Depends ships a font for the Chinese texts")
    # A misspelt name would leave apt nothing to install.
    for package in sorted(depends | package_names(field("Recommends"))):
        check(run("apt-cache", "show", package).returncode == 0,
              f"the archive knows no package {package}")


def check_deb_files(deb, program_folder):
    listing = run("dpkg-deb", "-c", deb).stdout.splitlines()
    entries = {}
    for line in listing:
        mode, _, _, _, _, path = line.split(None, 5)
        entries[path.split(" -> ")[0].removeprefix(".").rstrip("/")] = mode
    files = {path for path, mode in entries.items() if mode.startswith("-")}
    outside = [path for path in entries if path and not path.startswith("/usr")]
    check(not outside, f"the package installs outside /usr: {outside[:5]}")
    for program in ("/usr/bin/sonatrix", "/usr/libexec/sonatrix/sonatrix-decode"):
        check(entries.get(program, "").startswith("-rwxr-xr-x"),
              f"{program} is missing or not executable")
    check(entries.get("/" + sound_module(), "").startswith("-rw-r--r--"),
          f"/{sound_module()} is missing or not a plain file")
    shipped = {"/usr/share/sonatrix/" + path for path in files_below(program_folder)
               if path not in ("sonatrix", "sonatrix-decode", SOUND_MODULE)}
    packaged = {path for path in files if path.startswith("/usr/share/sonatrix/")}
    check(packaged == shipped,
          "share/sonatrix differs from the program folder: missing "
          f"{sorted(shipped - packaged)[:5]}, extra {sorted(packaged - shipped)[:5]}")
    for path in (f"/usr/share/applications/{APP_ID}.desktop",
                 f"/usr/share/metainfo/{APP_ID}.metainfo.xml",
                 f"/usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
                 "/usr/share/doc/sonatrix/copyright", "/usr/share/doc/sonatrix/changelog.gz",
                 SCREENSHOT, "/usr/share/man/man1/sonatrix.1.gz"):
        check(path in files, f"the package lacks {path}")


def png_size(path):
    """(width, height) of a PNG file, or None when it is none."""
    with open(path, "rb") as png:
        head = png.read(24)
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def check_desktop_integration(deb, root, version):
    desktop = os.path.join(root, f"usr/share/applications/{APP_ID}.desktop")
    metainfo = os.path.join(root, f"usr/share/metainfo/{APP_ID}.metainfo.xml")
    if not check(os.path.isfile(desktop) and os.path.isfile(metainfo),
                 "no menu entry or metadata to validate where the package should put them"):
        return
    # Hints too: two main categories put the program twice in the menus.
    result = run("desktop-file-validate", desktop)
    check(result.returncode == 0 and not result.stdout.strip(),
          f"desktop-file-validate: {result.stdout}{result.stderr}")
    result = run("appstreamcli", "validate", "--no-net", "--pedantic", metainfo)
    check(result.returncode == 0, f"appstreamcli validate: {result.stdout}{result.stderr}")

    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop, encoding="utf-8")
    section = entry["Desktop Entry"]
    check(section.get("Name") and section.get("Name[zh_CN]"),
          "the menu entry lacks an English or a Chinese name")
    program = section.get("Exec", "").split()[0] if section.get("Exec") else ""
    check(os.access(os.path.join(root, "usr/bin", program), os.X_OK),
          f"Exec={section.get('Exec')} names no program of the package")
    icon = section.get("Icon", "")
    check(os.path.isfile(os.path.join(root, f"usr/share/icons/hicolor/scalable/apps/{icon}.svg")),
          f"Icon={icon} names no icon of the package")

    component = ElementTree.parse(metainfo).getroot()
    check(component.findtext("id") == APP_ID, f"metainfo id is {component.findtext('id')}")
    check(component.findtext("launchable") == os.path.basename(desktop),
          f"metainfo launches {component.findtext('launchable')}")
    homepage = component.findtext("url[@type='homepage']")
    check(homepage and homepage == deb_field(deb, "Homepage"),
          f"metainfo's homepage {homepage!r} is not the package's")
    releases = [release.get("version") for release in component.iterfind("releases/release")]
    check(releases[:1] == [version], f"the newest release in the metainfo is not {version}: {releases}")
    image = component.findtext("screenshots/screenshot[@type='default']/image") or ""
    check(image.startswith(homepage or "") and image.endswith("/" + os.path.basename(SCREENSHOT)),
          f"the screenshot {image!r} is not the shipped one on the project's site")
    shot = os.path.join(root, SCREENSHOT.lstrip("/"))
    size = png_size(shot) if os.path.isfile(shot) else None
    check(size == MAIN_WINDOW_SIZE, f"{SCREENSHOT} is no picture of the main window: {size}")


def check_copyright(root):
    """The machine-readable copyright names the project's licence, the one
    the metadata declares, and gives the text of each licence it names."""
    path = os.path.join(root, "usr/share/doc/sonatrix/copyright")
    paragraphs = [dict(re.findall(r"^(\S+?):[ \t]*(.*)$", block, re.M))
                  for block in open(path, encoding="utf-8").read().split("\n\n")]
    check(paragraphs[0].get("Format", "").startswith("https://www.debian.org/doc/packaging-manuals/"
                                                     "copyright-format/1.0"),
          "the copyright file is not machine-readable")
    everything = next((p for p in paragraphs if p.get("Files") == "*"), {})
    metainfo = ElementTree.parse(os.path.join(root, f"usr/share/metainfo/{APP_ID}.metainfo.xml"))
    project_license = metainfo.getroot().findtext("project_license")
    check(everything.get("License") == project_license,
          f"the copyright's licence {everything.get('License')!r} is not the metadata's "
          f"{project_license!r}")
    named = {p["License"] for p in paragraphs if "Files" in p and "License" in p}
    texts = {p["License"] for p in paragraphs if "Files" not in p and "License" in p}
    check(named <= texts, f"the copyright gives no text for {sorted(named - texts)}")


def check_hardening(root):
    # Not control-flow protection: Debian 12's C runtime objects are not
    # marked for it, so no program linked with them can be.
    # The decoding helper and the sound module are built with the same
    # flags, but every libc call they make takes a buffer whose size is
    # known only at run time, so the compiler has no checked variant to
    # choose: hardening-check would call that "unprotected", as lintian's
    # informational tag for it explains.
    for program, skip in (("usr/bin/sonatrix", []),
                          ("usr/libexec/sonatrix/sonatrix-decode", ["--nofortify"]),
                          (sound_module(), ["--nofortify"])):
        result = run("hardening-check", "--nocfprotection", *skip, os.path.join(root, program))
        check(result.returncode == 0, f"hardening-check:\n{result.stdout}{result.stderr}")


def check_lintian(deb):
    result = run("lintian", "--no-tag-display-limit", deb)
    errors = [line for line in result.stdout.splitlines() if line.startswith("E:")]
    check(not errors, "lintian reports errors:\n  " + "\n  ".join(errors))
    # What stays is shown, so each warning is seen and answered for.
    for line in result.stdout.splitlines():
        if not line.startswith("E:"):
            print("lintian:", line)


def check_archive(archive, program_folder, version):
    top = f"sonatrix-{version}-linux/"
    with tarfile.open(archive) as tar:
        names = {member.name.removeprefix("./"): member for member in tar.getmembers()}
    outside = [name for name in names if not (name + "/").startswith(top)]
    check(not outside, f"the archive has entries outside {top}: {outside[:5]}")
    files = {name.removeprefix(top) for name, member in names.items() if member.isfile()}
    expected = files_below(program_folder) | {"LICENSE"}
    check(files == expected,
          "the archive differs from the program folder: missing "
          f"{sorted(expected - files)[:5]}, extra {sorted(files - expected)[:5]}")
    executable = names.get(top + "sonatrix")
    check(executable is not None and executable.mode & 0o111,
          "the archive's sonatrix is missing or not executable")


def main():
    cpack, build, program_folder, version = sys.argv[1:5]
    architecture = run("dpkg", "--print-architecture").stdout.strip()
    deb_name = f"sonatrix_{version}_{architecture}.deb"
    archive_name = f"sonatrix-{version}-linux.tar.gz"
    with tempfile.TemporaryDirectory() as scratch:
        packages = os.path.join(scratch, "packages")
        result = run(cpack, "-B", packages, cwd=build)
        if result.returncode != 0:
            print(result.stdout, result.stderr)
            return 1
        made = sorted(name for name in os.listdir(packages) if not name.startswith("_"))
        if made != sorted([deb_name, archive_name]):
            print(f"FAIL: CPack made {made}, not {deb_name} and {archive_name}")
            return 1
        deb = os.path.join(packages, deb_name)
        check_control(deb, version)
        check_deb_files(deb, program_folder)
        root = os.path.join(scratch, "root")
        if check(run("dpkg-deb", "-x", deb, root).returncode == 0, "dpkg-deb -x failed"):
            check_desktop_integration(deb, root, version)
            check_copyright(root)
            check_hardening(root)
        check_lintian(deb)
        check_archive(os.path.join(packages, archive_name), program_folder, version)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("package: the .deb and the archive are as they should be")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
