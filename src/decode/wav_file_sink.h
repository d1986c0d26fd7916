// SPDX-License-Identifier: GPL-3.0-or-later
// The converted samples streamed into a 16-bit PCM WAV file: the header
// first, the samples as they come, the sizes once the sound has ended. The
// last kLongestPadding frames are held back until then, so the codec's
// padding can still be left out. The file is created before the helper is
// confined, which then cannot remove it: a file not finished is left to
// the program, which removes it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "sound_conversion.h"

namespace sonatrix::decode {

class WavFileSink : public PcmSink {
  public:
    explicit WavFileSink(std::string path);
    ~WavFileSink() override;
    WavFileSink(const WavFileSink&) = delete;
    WavFileSink& operator=(const WavFileSink&) = delete;

    // Creates the file, empty. Returns "" or why it cannot be.
    std::string Open();
    std::string Begin(int channels, int sampleRate) override;
    std::string Write(const std::uint8_t* samples, std::size_t frames) override;
    std::string Finish(std::uint64_t keepFrames) override;

  private:
    std::string Put(const char* bytes, std::size_t size);
    std::string Failed();

    std::string path_;
    std::FILE* file_ = nullptr;
    std::size_t frameBytes_ = 0;
    int channels_ = 0;
    int sampleRate_ = 0;
    std::uint64_t dataBytes_ = 0;  // in the file, after the header
    std::string held_;             // the latest frames, not yet in the file
};

}  // namespace sonatrix::decode
