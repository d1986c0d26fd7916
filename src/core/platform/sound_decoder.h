// SPDX-License-Identifier: GPL-3.0-or-later
// Turning an audio file of any format into a 16-bit PCM WAV file, or saying
// in plain words why it cannot be. The decoding itself happens in a helper
// process of its own (sonatrix-decode), so that a file that breaks the
// decoder cannot take the program down.
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
inline constexpr const char* kSoundTooLong = "声音太长（超过10分钟）";
inline constexpr const char* kUnsupportedRate = "采样率不支持";
inline constexpr const char* kTooManyChannels = "声道太多（超过32个）";
inline constexpr const char* kSourceTooLarge = "文件太大（超过1 GB）";
// The helper ended on the file (a crash, a limit of the system) or stopped
// answering.
inline constexpr const char* kDecodingFailed = "解码时出错";
inline constexpr const char* kNoDecoderProgram = "找不到解码程序 sonatrix-decode";

// What a sound may be. A notification sound is seconds long; these bound
// the work and the disk a hostile file can cost, and keep every converted
// WAV far below the format's 4 GiB.
inline constexpr int kLongestSoundSeconds = 10 * 60;
inline constexpr int kLowestSampleRate = 1000;
inline constexpr int kHighestSampleRate = 384000;
inline constexpr int kMostChannels = 32;
inline constexpr std::int64_t kLargestSourceBytes = std::int64_t{1} << 30;

// The helper's pipe: a request is the source path and the WAV path, each
// ended by a zero byte; the helper answers with lines: "progress" while it
// works (at least every kHelperBeatMs), then "done" or "failed <reason>".
namespace helper_protocol {
inline constexpr const char* kProgress = "progress";
inline constexpr const char* kDone = "done";
inline constexpr const char* kFailed = "failed ";
inline constexpr int kBeatMs = 200;
}  // namespace helper_protocol

struct DecodeResult {
    bool ok = false;
    std::string reason;  // when not ok: why, in plain words
};

class SoundDecoder {
  public:
    virtual ~SoundDecoder() = default;
    // Decodes the file at `source` into a 16-bit PCM WAV file at `wav` (a
    // path that does not exist yet), in the layout ConvertedLayout gives for
    // the source's first samples. Blocks; call it off the window's thread,
    // one call at a time. Once `stop` is set it returns soon. When it does
    // not return ok, no file is left at `wav`.
    virtual DecodeResult Decode(const std::string& source, const std::string& wav,
                                const std::atomic<bool>& stop) = 0;
};

}  // namespace sonatrix
