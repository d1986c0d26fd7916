// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a PCM WAV file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sonatrix::soundgen {

// A canonical 44-byte-header RIFF/WAVE file: PCM, one channel, 16 bits,
// with the header the program itself writes.
std::string EncodeWav16(const std::vector<std::int16_t>& samples, std::uint32_t sampleRate);

}  // namespace sonatrix::soundgen
