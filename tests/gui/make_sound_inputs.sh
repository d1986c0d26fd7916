#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the sound files the decoding tests read, with Debian's encoders, in
# the folder given (made anew). CTest runs it before those tests, so the
# Windows build's tests under Wine read the same files as Linux's.
#
#   formats/  one second of a 440 Hz tone in every format the library takes,
#             a text file and a damaged MP3 among them
#   hostile/  files that must be refused with a reason, and a joined MP3, a
#             raw AAC and a film's sound that are added
#   slow/     a file the helper needs many seconds for
#   long/     a minute of sound as an MP3
set -euo pipefail
out="$1"
rm -rf "$out"
mkdir -p "$out"/{formats,hostile,slow,long,work}
cd "$out"

# A tone of `seconds` at `hertz`: rate, channels, file.
tone() { sox -n -r "$1" -c "$2" -b 16 "$3" synth "${4:-1}" sine "${5:-440}" vol 0.5; }

tone 44100 1 work/tone.wav
in=work/tone.wav f=formats
cp "$in" $f/a.wav
lame --quiet "$in" $f/song.mp3
oggenc -Q "$in" -o $f/beep.ogg
flac -s -f "$in" -o $f/chime.flac
opusenc --quiet "$in" $f/voice.opus
ffmpeg -loglevel error -y -i "$in" -c:a aac $f/alert.m4a
ffmpeg -loglevel error -y -i "$in" -c:a pcm_s16be $f/knock.caf
sox "$in" $f/bell.aiff
sox "$in" -e u-law $f/gong.au
sox "$in" -e ima-adpcm $f/ima.wav
sox "$in" -e ms-adpcm $f/ms.wav
sox "$in" -e a-law $f/alaw.wav
sox "$in" -e u-law $f/ulaw.wav
sox "$in" -e floating-point -b 32 $f/float.wav
# Six channels at 96 kHz: two channels at 44100 Hz are kept.
sox -n -r 96000 -c 6 $f/surround.flac synth 1 sine 440 vol 0.5
printf 'This is a text file, not a sound.' > $f/bad.mp3
# An MP3 whose frames are noise after its first bytes.
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read())
b[4:] = bytes(((i * 7919) >> 3) & 0xFF for i in range(4, len(b)))
open(sys.argv[2], "wb").write(b)' $f/song.mp3 $f/corrupt.mp3

h=hostile
# Two files joined with cat: a second of stereo, then a second of mono.
tone 44100 2 work/stereo.wav 1 440
tone 44100 1 work/mono.wav 1 660
lame --quiet work/stereo.wav work/stereo.mp3
lame --quiet work/mono.wav work/mono.mp3
cat work/stereo.mp3 work/mono.mp3 > $h/joined.mp3
# Ten hours of silence, which its header states; eleven minutes that MP3s
# without a length header, joined, only show by being decoded.
head -c $((2 * 1000 * 36000)) /dev/zero | flac -s -f --force-raw-format --endian=little \
    --sign=signed --channels=1 --bps=16 --sample-rate=1000 -o $h/silence.flac -
tone 8000 1 work/ten.wav 10 660
lame --quiet -t -b 8 work/ten.wav work/ten.mp3
for _ in $(seq 66); do cat work/ten.mp3; done > $h/unstated.mp3
# A playlist of addresses saved as an MP3, and an empty Ogg file.
printf '#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nhttp://127.0.0.1:9/a.ts\n#EXTINF:10,\nfile:///etc/passwd\n#EXT-X-ENDLIST\n' \
    > $h/x.mp3
: > $h/y.ogg
# Three seconds of FLAC cut after half of its bytes.
tone 44100 2 work/three.flac 3
head -c $(($(stat -c %s work/three.flac) / 2)) work/three.flac > $h/cut.flac
# A WAV whose header claims a billion samples a second, one with more
# channels than a sound may have, and a file over 1 GiB (sparse: it takes
# no room on the disk).
python3 -c 'import struct, sys
data = bytes(range(256)) * 16
fmt = struct.pack("<HHIIHH", 6, 1, 10**9, 10**9, 1, 8)
open(sys.argv[1], "wb").write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " +
    struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data)) + data)' $h/ghz.wav
sox -n -r 8000 -c 33 -e floating-point $h/crowd.wav synth 0.1 sine 440
cp work/stereo.mp3 $h/huge.mp3
truncate -s $(((1 << 30) + 1)) $h/huge.mp3

# 5,000 seconds at 1000 Hz in one Matroska block, written to a pipe so that
# no length is stated, and named .ogg; twenty minutes of FLAC whose header
# states one second.
ffmpeg -loglevel error -f lavfi -i sine=frequency=100:sample_rate=1000:duration=5000 \
    -af asetnsamples=n=5000000 -c:a pcm_s16le -f matroska - > $h/giant.ogg
head -c $((2 * 8000 * 1200)) /dev/zero | flac -s -f --force-raw-format --endian=little \
    --sign=signed --channels=1 --bps=16 --sample-rate=8000 -o $h/stated.flac -
python3 -c 'import sys
f = open(sys.argv[1], "r+b"); f.seek(18); info = int.from_bytes(f.read(8), "big")
f.seek(18); f.write(((info >> 36 << 36) | 8000).to_bytes(8, "big"))' $h/stated.flac
# Raw AAC, whose header states no layout; an HEVC picture beside a second
# of sound, and the picture alone.
ffmpeg -loglevel error -i work/tone.wav -c:a aac -f adts $h/tick.aac
picture=(-f lavfi -i testsrc=size=64x64:rate=10:duration=1)
hevc=(-c:v libx265 -x265-params log-level=none -f mp4)
ffmpeg -loglevel error "${picture[@]}" -i work/tone.wav "${hevc[@]}" -c:a aac $h/movie.m4a
ffmpeg -loglevel error "${picture[@]}" "${hevc[@]}" $h/film.m4a

# A second of sound, then nothing up to 1 GiB: many seconds of reading.
cp work/stereo.mp3 slow/slow.mp3
truncate -s $((1 << 30)) slow/slow.mp3

tone 44100 1 work/minute.wav 60
lame --quiet -b 64 work/minute.wav long/one.mp3
rm -rf work
