// SPDX-License-Identifier: GPL-3.0-or-later
// Sine tones written as WAV files in every sample format the program reads,
// for measuring loudness and matching it.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "library/pcm_samples.h"
#include "library/wav_header.h"

namespace sonatrix::testing {

// `seconds` of a sine of `amplitude` (full scale 1) at `hertz`, 48 kHz,
// between `lead` and `trail` seconds of silence.
inline std::vector<double> Tone(double seconds, double amplitude, double lead = 0, double trail = 0,
                                double hertz = 1000) {
    std::vector<double> samples(std::lround((lead + seconds + trail) * 48000), 0.0);
    for (long i = 0; i < std::lround(seconds * 48000); ++i)
        samples[std::lround(lead * 48000) + i] =
            amplitude * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / 48000);
    return samples;
}

// A WAV file of `mono` in every one of `channels`. `asClientsShip`: a LIST
// chunk first and the extensible format, as some clients' files are.
inline std::string Wav(SampleFormat format, std::uint16_t channels, const std::vector<double>& mono,
                       bool asClientsShip = false) {
    const auto le = [](std::uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        return out;
    };
    const int bytes = format == SampleFormat::UInt8   ? 1
                      : format == SampleFormat::Int16 ? 2
                      : format == SampleFormat::Int24 ? 3
                                                      : 4;
    const double scale = std::ldexp(1.0, 8 * bytes - 1);
    // Written in place: the tables build their files when the test program
    // starts, so every run of a single row pays for them.
    std::string data(mono.size() * channels * bytes, '\0');
    char* out = data.data();
    for (const double value : mono) {
        const auto integer =
            static_cast<std::int64_t>(std::round(std::clamp(value * scale, -scale, scale - 1))) +
            (format == SampleFormat::UInt8 ? 128 : 0);
        const std::uint32_t word = format == SampleFormat::Float32
                                       ? std::bit_cast<std::uint32_t>(static_cast<float>(value))
                                       : static_cast<std::uint32_t>(integer);
        for (std::uint16_t c = 0; c < channels; ++c)
            for (int i = 0; i < bytes; ++i)
                *out++ = static_cast<char>((word >> (8 * i)) & 0xFF);
    }
    std::string file = WavHeaderBytes(channels, static_cast<std::uint16_t>(8 * bytes), 48000,
                                      static_cast<std::uint32_t>(data.size())) +
                       data;
    const char tag = format == SampleFormat::Float32 ? 3 : 1;
    file[20] = tag;
    if (asClientsShip) {
        // 22 more bytes of format: valid bits, speakers, then the GUID
        // whose first two bytes are the tag.
        file.replace(16, 6, le(40, 4) + le(0xFFFE, 2));
        file.insert(36, le(22, 2) + le(8 * bytes, 2) + le(channels == 1 ? 4 : 3, 4) + tag +
                            std::string("\0\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 15));
        file.insert(12, std::string("LIST\4\0\0\0INFO", 12));
        file.replace(4, 4, le(static_cast<std::uint32_t>(file.size() - 8), 4));
    }
    return file;
}

}  // namespace sonatrix::testing
