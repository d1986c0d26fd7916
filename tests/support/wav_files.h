// SPDX-License-Identifier: GPL-3.0-or-later
// WAV files made on the spot, for the tests that need a real sound.
#pragma once

#include <cmath>
#include <numbers>
#include <string>

#include "library/wav_header.h"

namespace sonatrix::testing {

// A 16-bit mono 22050 Hz PCM WAV holding `samples`: what adding a sound
// copies as it is.
inline std::string PcmWav(const std::string& samples) {
    return WavHeaderBytes(1, 16, 22050, static_cast<std::uint32_t>(samples.size())) + samples;
}

// An 8-bit mono 22050 Hz tone of `seconds` at `hertz`.
inline std::string ToneWav(double seconds, double hertz) {
    const std::size_t count = static_cast<std::size_t>(seconds * 22050);
    std::string samples(count, '\x80');
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<char>(
            128 + std::lround(100 * std::sin(2 * std::numbers::pi * hertz * i / 22050)));
    return WavHeaderBytes(1, 8, 22050, static_cast<std::uint32_t>(count)) + samples;
}

}  // namespace sonatrix::testing
