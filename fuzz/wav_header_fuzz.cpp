// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's WAV header, written and read back: the first twelve bytes
// choose the format and the data size, the rest is read as a header and
// appended to a file as samples. What is written reads back the same, and
// the file's sizes always match its length.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

#include "library/wav_header.h"

namespace {

template <typename T>
T Take(const std::uint8_t* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// One file for the whole run, removed at exit. Never destroyed, so that the
// clean-up can still read its name.
const std::string& Scratch() {
    static const std::string& path =
        *new std::string((std::filesystem::temp_directory_path() /
                          ("sonatrix-wav-fuzz-" + std::to_string(getpid()) + ".wav"))
                             .string());
    static const bool registered = std::atexit([] { std::remove(Scratch().c_str()); }) == 0;
    (void)registered;
    return path;
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12)
        return 0;
    const auto channels = Take<std::uint16_t>(data);
    const auto bits = Take<std::uint16_t>(data + 2);
    const auto rate = Take<std::int32_t>(data + 4);
    const auto dataSize = Take<std::uint32_t>(data + 8);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 12, size - 12);

    // Written, then read.
    const std::string bytes = sonatrix::WavHeaderBytes(channels, bits, rate, dataSize);
    Check(bytes.size() == sonatrix::kWavHeaderSize);
    const auto header = sonatrix::ParseWavHeader(bytes);
    Check(header.has_value());
    Check(header->formatTag == 1 && header->channels == channels && header->bitsPerSample == bits &&
          header->sampleRate == static_cast<std::uint32_t>(rate) && header->dataSize == dataSize);
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    const std::uint64_t riff = std::uint64_t{dataSize} + sonatrix::kWavHeaderSize - 8;
    Check(header->riffSize == (riff > kMax ? kMax : riff));
    const std::uint64_t align = std::uint64_t{channels} * (bits / 8u);
    if (align <= 0xFFFF && align * static_cast<std::uint32_t>(rate) <= kMax)
        Check(header->blockAlign == align &&
              header->byteRate == align * static_cast<std::uint32_t>(rate));

    // Any bytes read as a header, written again, read the same.
    if (const auto read = sonatrix::ParseWavHeader(rest)) {
        const auto again = sonatrix::ParseWavHeader(
            sonatrix::WavHeaderBytes(read->channels, read->bitsPerSample,
                                     static_cast<std::int32_t>(read->sampleRate), read->dataSize));
        Check(again && again->channels == read->channels &&
              again->bitsPerSample == read->bitsPerSample &&
              again->sampleRate == read->sampleRate && again->dataSize == read->dataSize);
    }

    // A header-only file with the rest appended in two pieces.
    const std::string& file = Scratch();
    if (sonatrix::WriteWavHeader(channels, bits, rate, file) != 0)
        return 0;
    sonatrix::WavAppender appender;
    Check(appender.Open(file) == 0);
    const std::size_t half = rest.size() / 2;
    Check(appender.Append(rest.data(), half) == 0);
    Check(appender.Append(rest.data() + half, rest.size() - half) == 0);
    Check(appender.Close() == 0);
    const auto written = sonatrix::ReadWavHeader(file);
    Check(written && written->dataSize == rest.size() &&
          written->riffSize == rest.size() + sonatrix::kWavHeaderSize - 8 &&
          written->channels == channels);
    Check(std::filesystem::file_size(file) == sonatrix::kWavHeaderSize + rest.size());
    return 0;
}
