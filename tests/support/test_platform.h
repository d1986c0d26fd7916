// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests can count on from the system they run on. Each function
// gives the reason a group of tests cannot run here (their skip message),
// or nullptr when they can.
#pragma once

namespace sonatrix::testing {

// The private sound server and the Linux programs that drive and read it
// (paplay, pactl, python3, sox).
const char* WhyNoSoundServer();

// The Linux programs that make and read a test's audio files (sox, lame,
// oggenc, flac, opusenc, ffmpeg, python3).
const char* WhyNoLinuxAudioTools();

// A system call filter (seccomp), which the decoding helper confines itself
// with.
const char* WhyNoSeccomp();

// The freedesktop sound theme, where the desktop's alert sound comes from.
const char* WhyNoFreedesktopSounds();

// A CJK font shipped in the program folder for a system without 宋体.
const char* WhyNoBundledFont();

// File names limited to 255 bytes, as long as a UTF-8 name of 85 Chinese
// characters (not to 255 UTF-16 units, in a path of 260).
const char* WhyNoByteLimitedNames();

// File names that are not UTF-8 (an archive unpacked from a GBK system).
const char* WhyNoNonUtf8FileNames();

}  // namespace sonatrix::testing
