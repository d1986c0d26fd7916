// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/wav_header.h"

#include "library/part_files.h"

#include <cerrno>
#include <cstring>
#include <limits>

namespace sonatrix {
namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetLe(std::string_view in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    return value;
}

std::string LeBytes(std::uint32_t value) {
    std::string out;
    PutLe(out, value, 4);
    return out;
}

// An error number that is never 0, also when the C library left none.
int LastError() {
    return errno != 0 ? errno : EIO;
}

std::uint32_t Clamped(std::uint64_t value) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(value > kMax ? kMax : value);
}

// Writes the two sizes of an open header for `dataSize` sample bytes.
bool WriteSizesAt(std::FILE* file, std::uint64_t dataSize) {
    const std::string riff = LeBytes(Clamped(dataSize + kWavHeaderSize - 8));
    const std::string data = LeBytes(Clamped(dataSize));
    return std::fseek(file, 4, SEEK_SET) == 0 && std::fwrite(riff.data(), 1, 4, file) == 4 &&
           std::fseek(file, 40, SEEK_SET) == 0 && std::fwrite(data.data(), 1, 4, file) == 4 &&
           std::fflush(file) == 0;
}

}  // namespace

std::string WavHeaderBytes(std::uint16_t channels, std::uint16_t bits, std::int32_t sampleRate,
                           std::uint32_t dataSize) {
    const std::uint32_t rate = static_cast<std::uint32_t>(sampleRate);
    const std::uint32_t bytesPerSample = bits / 8u;
    std::string out;
    out.reserve(kWavHeaderSize);
    out += "RIFF";
    // Near 4 GiB the RIFF size would wrap round to a tiny length: it stops
    // at the largest, as the appender's does.
    PutLe(out, Clamped(std::uint64_t{dataSize} + kWavHeaderSize - 8), 4);
    out += "WAVE";
    out += "fmt ";
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);
    PutLe(out, channels, 2);
    PutLe(out, rate, 4);
    PutLe(out, channels * rate * bytesPerSample, 4);
    PutLe(out, static_cast<std::uint16_t>(channels * bytesPerSample), 2);
    PutLe(out, bits, 2);
    out += "data";
    PutLe(out, dataSize, 4);
    return out;
}

int WriteWavHeader(std::uint16_t channels, std::uint16_t bits, std::int32_t sampleRate,
                   const std::string& fileName) {
    errno = 0;
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file)
        return LastError();
    const std::string header = WavHeaderBytes(channels, bits, sampleRate);
    const bool written = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    int error = written ? 0 : LastError();
    if (std::fclose(file) != 0 && error == 0)
        error = LastError();
    return error;
}

int WritePcmWavFile(const std::string& fileName, std::uint16_t channels, std::int32_t sampleRate,
                    std::string_view samples) {
    // A dot name: the library never shows it, should it be left behind.
    const std::string temporary = PartPathFor(fileName);
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return LastError();
    const std::string header = WavHeaderBytes(channels, 16, sampleRate, Clamped(samples.size()));
    int error = 0;
    if (std::fwrite(header.data(), 1, header.size(), file) != header.size() ||
        std::fwrite(samples.data(), 1, samples.size(), file) != samples.size() ||
        std::fflush(file) != 0)
        error = LastError();
    if (std::fclose(file) != 0 && error == 0)
        error = LastError();
    if (error == 0)
        error = MovePartIntoPlace(temporary, fileName);
    if (error != 0)
        std::remove(temporary.c_str());
    return error;
}

std::optional<WavHeader> ParseWavHeader(std::string_view bytes) {
    if (bytes.size() < kWavHeaderSize || bytes.substr(0, 4) != "RIFF" ||
        bytes.substr(8, 4) != "WAVE" || bytes.substr(12, 4) != "fmt " ||
        GetLe(bytes, 16, 4) != 16 || bytes.substr(36, 4) != "data")
        return std::nullopt;
    WavHeader header;
    header.riffSize = GetLe(bytes, 4, 4);
    header.formatTag = static_cast<std::uint16_t>(GetLe(bytes, 20, 2));
    header.channels = static_cast<std::uint16_t>(GetLe(bytes, 22, 2));
    header.sampleRate = GetLe(bytes, 24, 4);
    header.byteRate = GetLe(bytes, 28, 4);
    header.blockAlign = static_cast<std::uint16_t>(GetLe(bytes, 32, 2));
    header.bitsPerSample = static_cast<std::uint16_t>(GetLe(bytes, 34, 2));
    header.dataSize = GetLe(bytes, 40, 4);
    return header;
}

std::optional<WavHeader> ReadWavHeader(const std::string& fileName) {
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return std::nullopt;
    char bytes[kWavHeaderSize];
    const std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    return ParseWavHeader(std::string_view(bytes, got));
}

WavAppender::~WavAppender() {
    Close();
}

int WavAppender::Open(const std::string& fileName) {
    Close();
    error_ = 0;
    dataSize_ = 0;
    errno = 0;
    file_ = std::fopen(fileName.c_str(), "r+b");
    if (!file_)
        return LastError();
    char bytes[kWavHeaderSize];
    const bool hasHeader = std::fread(bytes, 1, sizeof bytes, file_) == sizeof bytes &&
                           ParseWavHeader(std::string_view(bytes, sizeof bytes)).has_value();
    // Samples already in the file count, so the sizes stay true to its length.
    if (!hasHeader || std::fseek(file_, 0, SEEK_END) != 0) {
        std::fclose(file_);
        file_ = nullptr;
        return EINVAL;
    }
    const long length = std::ftell(file_);
    dataSize_ = length > static_cast<long>(kWavHeaderSize)
                    ? static_cast<std::uint64_t>(length) - kWavHeaderSize
                    : 0;
    return 0;
}

int WavAppender::Append(const char* bytes, std::size_t size) {
    if (!file_)
        return error_ != 0 ? error_ : EBADF;
    if (error_ != 0 || size == 0)
        return error_;
    errno = 0;
    if (std::fseek(file_, 0, SEEK_END) != 0 || std::fwrite(bytes, 1, size, file_) != size) {
        error_ = LastError();
        return error_;
    }
    dataSize_ += size;
    return WriteSizes();
}

int WavAppender::WriteSizes() {
    errno = 0;
    if (!WriteSizesAt(file_, dataSize_))
        error_ = LastError();
    return error_;
}

int WavAppender::Close() {
    if (!file_)
        return error_;
    errno = 0;
    if (std::fclose(file_) != 0 && error_ == 0)
        error_ = LastError();
    file_ = nullptr;
    return error_;
}

int FixWavSizes(const std::string& fileName) {
    errno = 0;
    std::FILE* file = std::fopen(fileName.c_str(), "r+b");
    if (!file)
        return LastError();
    int error = 0;
    char bytes[kWavHeaderSize];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes ||
        !ParseWavHeader(std::string_view(bytes, sizeof bytes)) ||
        std::fseek(file, 0, SEEK_END) != 0) {
        error = EINVAL;
    } else {
        const long length = std::ftell(file);
        if (length < static_cast<long>(kWavHeaderSize) ||
            !WriteSizesAt(file, static_cast<std::uint64_t>(length) - kWavHeaderSize))
            error = LastError();
    }
    if (std::fclose(file) != 0 && error == 0)
        error = LastError();
    return error;
}

}  // namespace sonatrix
