// SPDX-License-Identifier: GPL-3.0-or-later
// The decoding helper's open-decode-convert path from arbitrary bytes, read
// from memory through a custom AVIOContext, with the helper's demuxers,
// decoders and limits. Whatever the bytes, it ends with a reason, or with
// one sound in one layout, within the limits, whose end is announced once;
// it opens one decoder at most, and only after the stated length passed.
// The sandbox is the helper's own: this target runs in-process.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include "platform/sound_decoder.h"
#include "sound_conversion.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

struct Memory {
    const std::uint8_t* data;
    std::int64_t size;
    std::int64_t at = 0;
};

int Read(void* opaque, std::uint8_t* buffer, int size) {
    auto& memory = *static_cast<Memory*>(opaque);
    const int count = static_cast<int>(std::min<std::int64_t>(memory.size - memory.at, size));
    std::memcpy(buffer, memory.data + memory.at, static_cast<std::size_t>(count));
    memory.at += count;
    return count > 0 ? count : AVERROR_EOF;
}

std::int64_t Seek(void* opaque, std::int64_t offset, int whence) {
    auto& memory = *static_cast<Memory*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE)
        return memory.size;
    const std::int64_t to = offset + (whence == SEEK_CUR   ? memory.at
                                      : whence == SEEK_END ? memory.size
                                                           : 0);
    if (to < 0 || to > memory.size)
        return AVERROR(EINVAL);
    return memory.at = to;
}

class CheckingSink : public sonatrix::decode::PcmSink {
  public:
    std::string Begin(int channels, int sampleRate) override {
        Check(!begun_ && !finished && (channels == 1 || channels == 2) && sampleRate >= 8000 &&
              sampleRate <= 48000);
        begun_ = true;
        mostFrames_ = std::uint64_t{sonatrix::kLongestSoundSeconds} * sampleRate;
        return {};
    }
    std::string Write(const std::uint8_t* samples, std::size_t frames) override {
        Check(begun_ && !finished && samples != nullptr);
        frames_ += frames;
        Check(frames_ <= mostFrames_);
        return {};
    }
    std::string Finish(std::uint64_t keepFrames) override {
        Check(begun_ && !finished && keepFrames <= frames_ && keepFrames > 0);
        finished = true;
        return {};
    }
    bool finished = false;

  private:
    bool begun_ = false;
    std::uint64_t frames_ = 0;
    std::uint64_t mostFrames_ = 0;
};

class CheckingWatcher : public sonatrix::decode::ConversionWatcher {
  public:
    void Stated(std::int64_t seconds) override {
        Check(!stated_ && opened_ == 0 && seconds >= 0);
        stated_ = true;
    }
    void Opened(const char* decoder) override { Check(decoder != nullptr && ++opened_ == 1); }

  private:
    bool stated_ = false;
    int opened_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (sonatrix::decode::QuietFfmpeg(), true);
    (void)quiet;
    Memory memory{data, static_cast<std::int64_t>(size)};
    constexpr int kBufferSize = 4096;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    AVIOContext* input = avio_alloc_context(buffer, kBufferSize, 0, &memory, &Read, nullptr, &Seek);
    Check(input != nullptr);
    CheckingSink sink;
    CheckingWatcher watcher;
    const std::string reason = sonatrix::decode::ConvertSound(input, "", sink, watcher);
    Check(reason.empty() == sink.finished);
    av_freep(&input->buffer);
    avio_context_free(&input);
    return 0;
}
