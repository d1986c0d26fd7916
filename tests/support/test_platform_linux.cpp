// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include "test_platform.h"

namespace sonatrix::testing {

const char* WhyNoSoundServer() {
    return std::getenv("PULSE_SERVER")
               ? nullptr
               : "needs a sound server: run under scripts/with-sound-server.sh";
}

// scripts/install-deps.sh installs every one.
const char* WhyNoLinuxAudioTools() {
    return nullptr;
}

const char* WhyNoSeccomp() {
    return nullptr;
}

const char* WhyNoFreedesktopSounds() {
    return nullptr;
}

const char* WhyNoBundledFont() {
    return "the Linux packages depend on their CJK font instead of shipping it";
}

const char* WhyNoByteLimitedNames() {
    return nullptr;
}

const char* WhyNoNonUtf8FileNames() {
    return nullptr;
}

}  // namespace sonatrix::testing
