// SPDX-License-Identifier: GPL-3.0-or-later
// The samples of a PCM WAV file, in the formats clients and the library
// hold: 8-bit unsigned, 16-, 24- and 32-bit signed integers, 32-bit floats,
// any number of channels, the chunks found wherever the file puts them.
// They are read as numbers of full scale 1 for measuring, and written back
// with a gain in the file's own format, every other byte of the file kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

enum class SampleFormat { UInt8, Int16, Int24, Int32, Float32 };

struct PcmLayoutOfFile {
    SampleFormat format = SampleFormat::Int16;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::size_t dataOffset = 0;  // of the first sample in the file
    std::size_t frames = 0;      // whole frames the file really holds
};

// The layout of the WAV file `file`; nothing when it is no WAV of PCM or
// float samples in one of the formats above.
std::optional<PcmLayoutOfFile> ReadPcmLayout(std::string_view file);

// The samples of `count` frames from frame `first` (fewer at the end),
// interleaved, full scale 1. A float sample that is no number reads as
// silence.
std::vector<float> PcmSamples(std::string_view file, const PcmLayoutOfFile& layout,
                              std::size_t first, std::size_t count);

// `file` with every sample multiplied by `gainDb`: rounded with triangular
// dither for 8- and 16-bit samples (whose steps are audible), and held at
// full scale. The dither is the same on every run, so one sound with one
// gain always gives the same bytes.
std::string WithGain(std::string_view file, const PcmLayoutOfFile& layout, double gainDb);

}  // namespace sonatrix
