// Turning an audio file of any format the platform's decoder reads into
// 16-bit PCM samples, or saying in plain words why it cannot.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace sonatrix {

// Why a file was not decoded, as the failure dialog lists it.
inline constexpr const char* kNotASoundFile = "不是能识别的声音文件";
inline constexpr const char* kNoSoundInFile = "文件里没有声音";
inline constexpr const char* kUnsupportedCodec = "不支持这种声音编码";
inline constexpr const char* kDamagedSoundFile = "文件已损坏，无法解码";

// Interleaved 16-bit little-endian samples.
struct DecodedSound {
    std::uint16_t channels = 0;
    std::int32_t sampleRate = 0;
    std::string samples;
};

struct DecodeResult {
    bool ok = false;
    DecodedSound sound;  // when ok
    std::string reason;  // when not ok: why, in plain words
};

class SoundDecoder {
  public:
    virtual ~SoundDecoder() = default;
    // Decodes the file at `path` into the layout ConvertedLayout gives for
    // its source. Blocks; may be called off the window's thread, one call
    // at a time. Once `stop` is set it returns soon, with a result that is
    // thrown away.
    virtual DecodeResult Decode(const std::string& path, const std::atomic<bool>& stop) = 0;
};

}  // namespace sonatrix
