#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need,
# when any is missing. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config clang-format git
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
    pulseaudio pulseaudio-utils sox python3 locales
    libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
    # the loudness meter that matches a new sound to the one it replaces
    libebur128-dev
    # the decoding helper's sandbox: its system call filter
    libseccomp-dev
    # the desktop's own sounds: GSettings through GIO, and the tests' readers
    # (the freedesktop theme, and Ubuntu's Yaru as a distribution's default;
    # gsettings and glib-compile-schemas, canberra-gtk-play seen by strace,
    # KConfig's kreadconfig5 and kwriteconfig5, each on a session bus of its
    # own; dbus-x11, as on most desktops, so that a reader that would
    # autolaunch a bus is seen to have its own)
    libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas sound-theme-freedesktop
    yaru-theme-sound gnome-session-canberra strace dbus-daemon dbus-x11 libkf5config-bin
    # programs that name their sounds in their own settings: the tests read
    # what is written with the programs' own readers (libpurple, Thunderbird
    # started headless, KConfig's kreadconfig5 above)
    libpurple-dev thunderbird
    lame vorbis-tools flac opus-tools ffmpeg
    fonts-arphic-gbsn00lp fonts-wqy-zenhei
    xvfb xauth x11-utils imagemagick
    # make package: CPack's Debian generator (dpkg-shlibdeps, file), the
    # hardening flags (dpkg-buildflags) and the checks of what it makes
    # (hardening-check is in devscripts)
    dpkg-dev file lintian desktop-file-utils appstream devscripts
)
if [[ "${1:-}" == "--windows" || "${SONATRIX_WINDOWS:-1}" == "1" ]]; then
    # The Windows build: the compiler, Wine for its tests, and the icon
    # drawn from its SVG (rsvg-convert; ImageMagick above joins the sizes);
    # unzip for scripts/run-windows-demo.sh, which tries the ZIP under Wine;
    # makensis for the installer. Its folder ships the windows' font above
    # (fonts-arphic-gbsn00lp).
    packages+=(wine wine64 g++-mingw-w64-x86-64-posix librsvg2-bin unzip nsis)
fi
if [[ "${1:-}" == "--fuzz" ]]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    # Compared whole, not piped into grep -q, which under pipefail can fail
    # the check by closing the pipe before dpkg-query is done writing.
    if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done
((${#missing[@]} == 0)) && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
