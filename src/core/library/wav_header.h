// SPDX-License-Identifier: GPL-3.0-or-later
// The canonical 44-byte header of a PCM WAV file: written before a recording
// starts, kept right while samples are appended, and read back to check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace sonatrix {

inline constexpr std::size_t kWavHeaderSize = 44;

// The header fields the program writes and checks.
struct WavHeader {
    std::uint32_t riffSize = 0;   // file length minus 8
    std::uint16_t formatTag = 0;  // 1: PCM
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint32_t dataSize = 0;  // bytes of samples
};

// The 44 bytes of a PCM header announcing `dataSize` bytes of samples.
std::string WavHeaderBytes(std::uint16_t channels, std::uint16_t bits, std::int32_t sampleRate,
                           std::uint32_t dataSize = 0);

// Writes a header-only WAV file (no samples), replacing any file of that
// name. Returns 0 or the C library's error number.
int WriteWavHeader(std::uint16_t channels, std::uint16_t bits, std::int32_t sampleRate,
                   const std::string& fileName);

// Writes a 16-bit PCM WAV file of `samples` (interleaved, little-endian)
// as a whole or not at all: the bytes go to a hidden temporary file beside
// it that is then renamed to `fileName`, which must not exist yet. Returns
// 0 or the C library's error number.
int WritePcmWavFile(const std::string& fileName, std::uint16_t channels, std::int32_t sampleRate,
                    std::string_view samples);

// Reads the canonical layout ("RIFF", "WAVE", a 16-byte "fmt " chunk, then
// "data"); nothing when `bytes` does not start that way.
std::optional<WavHeader> ParseWavHeader(std::string_view bytes);

// Reads the header of the file `fileName`; nothing when it has none.
std::optional<WavHeader> ReadWavHeader(const std::string& fileName);

// Appends samples to a WAV file that holds a header, keeping the RIFF size
// and data size equal to what the file holds after every append, so the
// file is a correct WAV at every step.
class WavAppender {
  public:
    WavAppender() = default;
    ~WavAppender();
    WavAppender(const WavAppender&) = delete;
    WavAppender& operator=(const WavAppender&) = delete;

    // Opens `fileName`, which must start with a canonical header. Returns 0
    // or an error number.
    int Open(const std::string& fileName);
    // Returns 0 or an error number; after an error the appender stays
    // failed and appends nothing more.
    int Append(const char* bytes, std::size_t size);
    // Returns 0 or the first error met.
    int Close();

    bool IsOpen() const { return file_ != nullptr; }
    std::uint64_t DataSize() const { return dataSize_; }

  private:
    int WriteSizes();

    std::FILE* file_ = nullptr;
    std::uint64_t dataSize_ = 0;
    int error_ = 0;
};

// Sets the RIFF size and the data size of the WAV file `fileName` from its
// length. Returns 0 or an error number.
int FixWavSizes(const std::string& fileName);

}  // namespace sonatrix
