#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts Thunderbird headless on a profile and has it quit, so that it
reads prefs.js and writes it again, as it does when a user quits it.

    thunderbird_round_trip.py <profile folder> [<seconds>]

Thunderbird cannot quit by itself once started, and a signal ends it without
saving its prefs; so it is started with its remote control (Marionette) on a
port of its choosing, and asked to quit the way a user's "Quit" does. It
runs in a home of its own, never the user's. Exit status: 0 when it started
and quit; 3 when it found prefs.js unreadable (it keeps such a file as
"Invalidprefs.js" and writes a new one without the lines it could not
parse); 1 on any other failure (not installed, no start, no quit in time).
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time


def receive(stream):
    length = b""
    while True:
        c = stream.read(1)
        if not c:
            raise EOFError("Thunderbird closed its remote control")
        if c == b":":
            break
        length += c
    return json.loads(stream.read(int(length)))


def send(connection, message):
    data = json.dumps(message).encode()
    connection.sendall(str(len(data)).encode() + b":" + data)


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 1
    profile = os.path.abspath(sys.argv[1])
    deadline = time.monotonic() + (float(sys.argv[2]) if len(sys.argv) == 3 else 60)
    program = shutil.which("thunderbird")
    if not program:
        print("thunderbird is not installed", file=sys.stderr)
        return 1

    user_js = os.path.join(profile, "user.js")
    kept_user_js = open(user_js, "rb").read() if os.path.exists(user_js) else None
    port_file = os.path.join(profile, "MarionetteActivePort")
    invalid = os.path.join(profile, "Invalidprefs.js")
    for leftover in (port_file, invalid):
        if os.path.exists(leftover):
            os.remove(leftover)
    # Port 0: a free one, which Thunderbird writes to MarionetteActivePort.
    with open(user_js, "ab") as f:
        f.write(b'\nuser_pref("marionette.port", 0);\n')

    home = tempfile.mkdtemp(prefix="thunderbird-home-")
    environment = dict(os.environ, HOME=home, MOZ_HEADLESS="1", MOZ_CRASHREPORTER_DISABLE="1",
                       XDG_CONFIG_HOME=os.path.join(home, ".config"),
                       XDG_CACHE_HOME=os.path.join(home, ".cache"))
    process = subprocess.Popen([program, "--headless", "--marionette", "--no-remote",
                                "-profile", profile],
                               env=environment, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    status = 1
    try:
        while not (os.path.exists(port_file) and open(port_file).read().strip()):
            if process.poll() is not None or time.monotonic() > deadline:
                print("Thunderbird did not start its remote control", file=sys.stderr)
                return 1
            time.sleep(0.1)
        port = int(open(port_file).read())
        with socket.create_connection(("127.0.0.1", port),
                                      timeout=max(1, deadline - time.monotonic())) as connection:
            stream = connection.makefile("rb")
            receive(stream)  # its greeting
            send(connection, [0, 1, "WebDriver:NewSession", {}])
            receive(stream)
            send(connection, [0, 2, "Marionette:Quit", {"flags": ["eAttemptQuit"]}])
            receive(stream)
        process.wait(timeout=max(1, deadline - time.monotonic()))
        status = 3 if os.path.exists(invalid) else 0
    except (OSError, EOFError, ValueError, subprocess.TimeoutExpired) as error:
        print(f"Thunderbird did not quit: {error}", file=sys.stderr)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        if kept_user_js is None:
            os.remove(user_js)
        else:
            with open(user_js, "wb") as f:
                f.write(kept_user_js)
        if os.path.exists(port_file):
            os.remove(port_file)
        shutil.rmtree(home, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
