// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, decoding and converting one sound with FFmpeg's libraries: any
// frame layout, format or rate the stream changes to becomes 16-bit PCM in
// the layout of its first frame, within the limits a sound may have
// (platform/sound_decoder.h). What is decoded streams to a sink, a slice at
// a time, so memory stays flat whatever the file and however large its
// blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

// What the conversion tells its caller as it goes.
class ConversionWatcher {
  public:
    virtual ~ConversionWatcher() = default;
    // Between steps and while FFmpeg waits on its input, so that the
    // caller can tell it still works.
    virtual void Working() {}
    // The seconds of sound the file states (rounded up), once they are
    // known; not called for a file that states none.
    virtual void Stated(std::int64_t seconds) { (void)seconds; }
    // A decoder was opened. The conversion opens one, for the sound's
    // stream, and FFmpeg opens none of its own.
    virtual void Opened(const char* decoder) { (void)decoder; }
};

// No codec pads its last frame or block by more than this many frames; a
// sink that holds back this many can still drop the padding at the end.
inline constexpr std::uint64_t kLongestPadding = 8192;

struct InputCloser {
    void operator()(AVIOContext* input) const;
};
using InputFile = std::unique_ptr<AVIOContext, InputCloser>;

// The file at `path` opened for FFmpeg to read (a local file only), and
// its size. Returns "" or why it cannot be read. `watcher` hears from
// every read and must outlive `input`.
std::string OpenSoundFile(const std::string& path, ConversionWatcher& watcher, InputFile& input,
                          std::int64_t& bytes);

// The sound in `input`, which the caller owns, read by FFmpeg's audio
// demuxers and decoders only; `name` is the file's name, whose extension
// helps to tell its format. Returns "" or why it is not converted.
std::string ConvertSound(AVIOContext* input, const std::string& name, PcmSink& sink,
                         ConversionWatcher& watcher);

// FFmpeg says nothing on the standard error: the helper's reasons are its
// only words.
void QuietFfmpeg();

}  // namespace sonatrix::decode
