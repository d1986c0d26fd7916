// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_platform.h"

namespace sonatrix::testing {

const char* WhyNoSoundServer() {
    return "drives the sound server with Linux programs (paplay, pactl, python3, sox), which a "
           "Windows program cannot start";
}

const char* WhyNoLinuxAudioTools() {
    return "makes and reads its audio files with Linux programs (sox, lame, oggenc, flac, "
           "opusenc, ffmpeg, python3), which a Windows program cannot start";
}

const char* WhyNoSeccomp() {
    return "the decoding helper confines itself with a job object, whose limits Wine keeps "
           "but does not enforce";
}

const char* WhyNoFreedesktopSounds() {
    return "the alert comes from the freedesktop sound theme on Linux; Windows plays its own "
           "default sound, which the preview player never loads";
}

const char* WhyNoBundledFont() {
    return nullptr;
}

const char* WhyNoByteLimitedNames() {
    return "a name is limited to 255 UTF-16 units, and a whole path to 260";
}

const char* WhyNoNonUtf8FileNames() {
    return "the program's narrow names are UTF-8 on Windows (its manifest's code page), so no "
           "file it reaches has a name that is not UTF-8";
}

}  // namespace sonatrix::testing
