// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, probing, decoding and converting one sound with FFmpeg's
// libraries: any frame layout, format or rate the stream changes to becomes
// 16-bit PCM in the layout of its first frame, within the limits a sound
// may have (platform/sound_decoder.h). What is decoded streams to a sink,
// so memory stays flat whatever the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct AVIOContext;

namespace sonatrix::decode {

// Where the converted samples go: interleaved 16-bit little-endian PCM.
// Each call returns "" or why the samples could not be taken.
class PcmSink {
  public:
    virtual ~PcmSink() = default;
    // Once, before the first samples: the layout of all of them.
    virtual std::string Begin(int channels, int sampleRate) = 0;
    virtual std::string Write(const std::uint8_t* samples, std::size_t frames) = 0;
    // The end of the sound: only the first `keepFrames` frames written are
    // the sound (the rest is the codec's padding).
    virtual std::string Finish(std::uint64_t keepFrames) = 0;
};

// Called between steps and while FFmpeg waits on its input, so that the
// caller can tell it still works.
using Heartbeat = std::function<void()>;

// No codec pads its last frame or block by more than this many frames; a
// sink that holds back this many can still drop the padding at the end.
inline constexpr std::uint64_t kLongestPadding = 8192;

// The sound in the file at `path` (a local file only, read by FFmpeg's
// audio demuxers only). Returns "" or why it is not converted.
std::string ConvertSound(const std::string& path, PcmSink& sink, const Heartbeat& heartbeat);

// The same from `input`, which the caller owns; `name` is the file's name,
// whose extension helps to tell its format.
std::string ConvertSound(AVIOContext* input, const std::string& name, PcmSink& sink,
                         const Heartbeat& heartbeat);

// FFmpeg says nothing on the standard error: the helper's reasons are its
// only words.
void QuietFfmpeg();

}  // namespace sonatrix::decode
