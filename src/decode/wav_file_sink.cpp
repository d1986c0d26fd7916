// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav_file_sink.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include "library/wav_header.h"
#include "platform/files.h"
#include "platform/sound_decoder.h"

namespace sonatrix::decode {

WavFileSink::WavFileSink(std::string path) : path_(std::move(path)) {}

WavFileSink::~WavFileSink() {
    if (file_)
        std::fclose(file_);
}

std::string WavFileSink::Open() {
    errno = 0;
    file_ = std::fopen(path_.c_str(), "wb");
    return file_ ? std::string() : Failed();
}

std::string WavFileSink::Begin(int channels, int sampleRate) {
    channels_ = channels;
    sampleRate_ = sampleRate;
    frameBytes_ = static_cast<std::size_t>(channels) * 2;
    const std::string header = WavHeaderBytes(static_cast<std::uint16_t>(channels), 16, sampleRate);
    errno = 0;
    if (std::fwrite(header.data(), 1, header.size(), file_) != header.size())
        return Failed();
    return {};
}

std::string WavFileSink::Write(const std::uint8_t* samples, std::size_t frames) {
    held_.append(reinterpret_cast<const char*>(samples), frames * frameBytes_);
    const std::size_t keepBack = kLongestPadding * frameBytes_;
    if (held_.size() <= 2 * keepBack)
        return {};
    const std::size_t out = held_.size() - keepBack;
    std::string failure = Put(held_.data(), out);
    held_.erase(0, out);
    return failure;
}

std::string WavFileSink::Finish(std::uint64_t keepFrames) {
    const std::uint64_t inFile = dataBytes_ / frameBytes_;
    const std::uint64_t heldFrames = keepFrames > inFile ? keepFrames - inFile : 0;
    if (std::string failure =
            Put(held_.data(), std::min<std::uint64_t>(heldFrames * frameBytes_, held_.size()));
        !failure.empty())
        return failure;
    // A size the header cannot hold is never written; the limits of a
    // sound keep far below it.
    if (dataBytes_ > std::numeric_limits<std::uint32_t>::max() - kWavHeaderSize)
        return kSoundTooLong;
    const std::string header = WavHeaderBytes(static_cast<std::uint16_t>(channels_), 16,
                                              sampleRate_, static_cast<std::uint32_t>(dataBytes_));
    errno = 0;
    if (std::fseek(file_, 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), file_) != header.size() ||
        std::fflush(file_) != 0)
        return Failed();
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0)
        return Failed();
    return {};
}

std::string WavFileSink::Put(const char* bytes, std::size_t size) {
    errno = 0;
    if (std::fwrite(bytes, 1, size, file_) != size)
        return Failed();
    dataBytes_ += size;
    return {};
}

std::string WavFileSink::Failed() {
    return CLibraryErrorText(errno != 0 ? errno : EIO);
}

}  // namespace sonatrix::decode
