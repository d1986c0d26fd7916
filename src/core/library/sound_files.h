// SPDX-License-Identifier: GPL-3.0-or-later
// Which files the library takes in, which of them enter as they are, and the
// layout the others are converted to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sonatrix {

class FileSystem;

// True for a name whose extension is that of an audio format the decoder
// reads (".wav", ".mp3", ".ogg", ".flac", ".m4a", ".opus", ".aiff" ...),
// in any letter case.
bool IsSoundFileName(std::string_view name);

// The sound files directly in `folder` (ending in a separator), hidden ones
// included, sub-folders left out, in listing order.
std::vector<std::string> SoundFilesIn(FileSystem& files, const std::string& folder);

// Sets `pcm` when the file at `path` is a WAV file of PCM samples (format
// 1, or the extensible format with PCM samples): what every client plays,
// so it enters the library byte for byte. Returns 0, or the C library's
// error number when the file cannot be opened (EINVAL: no ordinary file).
int ProbePcmWav(const std::string& path, bool& pcm);

struct PcmLayout {
    std::uint16_t channels = 0;
    std::int32_t sampleRate = 0;
};

// What a converted sound keeps of its source: up to two channels, and its
// rate when that is between 8000 and 48000 Hz, else 44100 Hz.
PcmLayout ConvertedLayout(int sourceChannels, int sourceRate);

// The name a converted file takes: the source's name with ".wav" for its
// extension.
std::string ConvertedName(const std::string& sourceName);

}  // namespace sonatrix
