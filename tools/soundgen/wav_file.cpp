// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav_file.h"

#include "library/wav_header.h"

namespace sonatrix::soundgen {

std::string EncodeWav16(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));
    std::string out = WavHeaderBytes(1, 16, static_cast<std::int32_t>(sampleRate), dataBytes);
    out.reserve(out.size() + dataBytes);
    // Little-endian whatever the machine.
    for (const std::int16_t sample : samples) {
        const auto bits = static_cast<std::uint16_t>(sample);
        out.push_back(static_cast<char>(bits & 0xFF));
        out.push_back(static_cast<char>(bits >> 8));
    }
    return out;
}

}  // namespace sonatrix::soundgen
