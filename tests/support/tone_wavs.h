// SPDX-License-Identifier: GPL-3.0-or-later
// Sine tones written as WAV files in every sample format the program reads,
// for measuring loudness and matching it.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "library/pcm_samples.h"

namespace sonatrix::testing {

inline constexpr std::uint32_t kToneRate = 48000;

// `seconds` of a sine of `amplitude` (full scale 1) at `hertz`, between
// `lead` and `trail` seconds of silence.
inline std::vector<double> Tone(double seconds, double amplitude, double lead = 0, double trail = 0,
                                double hertz = 1000) {
    const auto at = [](double s) { return static_cast<std::size_t>(std::lround(s * kToneRate)); };
    std::vector<double> samples(at(lead) + at(seconds) + at(trail), 0.0);
    for (std::size_t i = 0; i < at(seconds); ++i)
        samples[at(lead) + i] =
            amplitude * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / kToneRate);
    return samples;
}

// A WAV file of `mono` in every one of `channels`. `asClientsShip`: the
// extensible format with a LIST chunk before it, as some clients' files are.
inline std::string Wav(SampleFormat format, std::uint16_t channels, const std::vector<double>& mono,
                       bool asClientsShip = false) {
    const auto le = [](std::string& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    const int bytes = format == SampleFormat::UInt8   ? 1
                      : format == SampleFormat::Int16 ? 2
                      : format == SampleFormat::Int24 ? 3
                                                      : 4;
    const std::uint16_t tag = format == SampleFormat::Float32 ? 3 : 1;
    std::string data;
    for (const double value : mono) {
        for (std::uint16_t c = 0; c < channels; ++c) {
            if (format == SampleFormat::Float32) {
                le(data, std::bit_cast<std::uint32_t>(static_cast<float>(value)), 4);
                continue;
            }
            const double scale = std::ldexp(1.0, 8 * bytes - 1);
            const double most = scale - 1;
            auto sample =
                static_cast<std::int64_t>(std::round(std::clamp(value * scale, -scale, most)));
            if (format == SampleFormat::UInt8)
                sample += 128;
            le(data, static_cast<std::uint32_t>(sample), bytes);
        }
    }
    std::string format_chunk;
    le(format_chunk, asClientsShip ? 0xFFFE : tag, 2);
    le(format_chunk, channels, 2);
    le(format_chunk, kToneRate, 4);
    le(format_chunk, kToneRate * channels * bytes, 4);
    le(format_chunk, channels * bytes, 2);
    le(format_chunk, 8 * bytes, 2);
    if (asClientsShip) {
        le(format_chunk, 22, 2);
        le(format_chunk, 8 * bytes, 2);
        le(format_chunk, channels == 1 ? 4 : 3, 4);  // the speakers
        le(format_chunk, tag, 2);
        format_chunk += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    std::string chunks;
    if (asClientsShip)
        chunks += std::string("LIST\x0C\0\0\0INFOISFT\0\0\0\0", 20);
    chunks += "fmt ";
    le(chunks, static_cast<std::uint32_t>(format_chunk.size()), 4);
    chunks += format_chunk + "data";
    le(chunks, static_cast<std::uint32_t>(data.size()), 4);
    chunks += data;
    std::string file = "RIFF";
    le(file, static_cast<std::uint32_t>(4 + chunks.size()), 4);
    return file + "WAVE" + chunks;
}

}  // namespace sonatrix::testing
