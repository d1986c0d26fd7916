#!/usr/bin/env python3
"""Builds the packages of a build folder with CPack and checks them as a user
and Debian's tools see them: the .deb's files and control fields, its menu
entry and AppStream metadata as installed, lintian, and the portable archive.

usage: check_package.py <cpack> <build folder> <program folder> <version>
"""
import configparser
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import xml.etree.ElementTree as ElementTree

APP_ID = "org.sonatrix.Sonatrix"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(*command, cwd=None):
    return subprocess.run(command, cwd=cwd, capture_output=True, text=True)


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


def check_control(deb, version):
    def field(name):
        return run("dpkg-deb", "-f", deb, name).stdout.strip()

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
    for library in ("libqt6widgets6", "libqt6multimedia6", "libc6"):
        check(library in depends, f"Depends lacks {library}: dpkg-shlibdeps did not run")
    for path, owner in needed_packages().items():
        check(owner in depends, f"Depends lacks {owner}, which holds {path}")
    check(any(covers_chinese(package) for package in depends),
          "no package in Depends ships a font for the Chinese texts")


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
    shipped = {"/usr/share/sonatrix/" + path for path in files_below(program_folder)
               if path not in ("sonatrix", "sonatrix-decode")}
    packaged = {path for path in files if path.startswith("/usr/share/sonatrix/")}
    check(packaged == shipped,
          "share/sonatrix differs from the program folder: missing "
          f"{sorted(shipped - packaged)[:5]}, extra {sorted(packaged - shipped)[:5]}")
    for path in (f"/usr/share/applications/{APP_ID}.desktop",
                 f"/usr/share/metainfo/{APP_ID}.metainfo.xml",
                 f"/usr/share/icons/hicolor/scalable/apps/{APP_ID}.svg",
                 "/usr/share/doc/sonatrix/copyright", "/usr/share/doc/sonatrix/changelog.gz",
                 "/usr/share/man/man1/sonatrix.1.gz"):
        check(path in files, f"the package lacks {path}")


def check_desktop_integration(deb, scratch):
    root = os.path.join(scratch, "root")
    if not check(run("dpkg-deb", "-x", deb, root).returncode == 0, "dpkg-deb -x failed"):
        return
    desktop = os.path.join(root, f"usr/share/applications/{APP_ID}.desktop")
    metainfo = os.path.join(root, f"usr/share/metainfo/{APP_ID}.metainfo.xml")
    if not check(os.path.isfile(desktop) and os.path.isfile(metainfo),
                 "no menu entry or metadata to validate where the package should put them"):
        return
    result = run("desktop-file-validate", desktop)
    check(result.returncode == 0 and "error:" not in result.stdout,
          f"desktop-file-validate: {result.stdout}{result.stderr}")
    result = run("appstreamcli", "validate", "--no-net", metainfo)
    check(result.returncode == 0, f"appstreamcli validate: {result.stdout}{result.stderr}")

    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop, encoding="utf-8")
    section = entry["Desktop Entry"]
    check(section.get("Name") and section.get("Name[zh_CN]"),
          "the menu entry lacks an English or a Chinese name")
    categories = section.get("Categories", "").split(";")
    check("AudioVideo" in categories and "Settings" in categories,
          f"Categories are {categories}")
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


def check_lintian(deb):
    result = run("lintian", "--no-tag-display-limit", deb)
    errors = [line for line in result.stdout.splitlines() if line.startswith("E:")]
    check(not errors, "lintian reports errors:\n  " + "\n  ".join(errors))


def check_archive(archive, program_folder, version):
    top = f"sonatrix-{version}-linux/"
    with tarfile.open(archive) as tar:
        names = {member.name.removeprefix("./"): member for member in tar.getmembers()}
    outside = [name for name in names if not (name + "/").startswith(top)]
    check(not outside, f"the archive has entries outside {top}: {outside[:5]}")
    files = {name.removeprefix(top) for name, member in names.items() if member.isfile()}
    expected = files_below(program_folder)
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
        check_desktop_integration(deb, scratch)
        check_lintian(deb)
        check_archive(os.path.join(packages, archive_name), program_folder, version)
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("package: the .deb and the archive are as they should be")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
