// SPDX-License-Identifier: GPL-3.0-or-later
// Turning an audio file of any format into a 16-bit PCM WAV file, or saying
// in plain words why it cannot be. The decoding itself happens in a helper
// process of its own (sonatrix-decode), so that a file that breaks the
// decoder cannot take the program down.
#pragma once

#include <algorithm>
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
// The helper ended on the file (a crash, a limit of the system).
inline constexpr const char* kDecodingFailed = "解码时出错";
// The helper was still at the file when its time was up.
inline constexpr const char* kDecodingTimedOut = "解码超时";
inline constexpr const char* kNoDecoderProgram = "找不到解码程序 sonatrix-decode";

// What a sound may be. A notification sound is seconds long; these bound
// the work and the disk a hostile file can cost, and keep every converted
// WAV far below the format's 4 GiB.
inline constexpr int kLongestSoundSeconds = 10 * 60;
inline constexpr int kLowestSampleRate = 1000;
inline constexpr int kHighestSampleRate = 384000;
inline constexpr int kMostChannels = 32;
inline constexpr std::int64_t kLargestSourceBytes = std::int64_t{1} << 30;

// The helper's pipe: a helper takes one request, the source path and the
// WAV path, each ended by a zero byte; it answers with lines: "progress"
// while it works (at least every kBeatMs), "length <seconds>" once it knows
// how long the file says its sound is, then "done" or "failed <reason>",
// and ends.
namespace helper_protocol {
inline constexpr const char* kProgress = "progress";
inline constexpr const char* kLength = "length ";
inline constexpr const char* kDone = "done";
inline constexpr const char* kFailed = "failed ";
inline constexpr int kBeatMs = 200;
}  // namespace helper_protocol

// How long a helper may take over one file, whatever it says meanwhile: a
// floor that covers starting it and decoding any short sound on a loaded
// machine (or a sanitizer build), and time for every MiB of the file and
// every second of sound it states. A file that states nothing is bounded
// by its size, and a length is never counted beyond the longest sound.
struct DecodeTimeRule {
    std::int64_t floorMs = 60000;
    std::int64_t msPerMiB = 500;
    std::int64_t msPerSecond = 500;
};

inline std::int64_t DecodeDeadlineMs(const DecodeTimeRule& rule, std::int64_t sourceBytes,
                                     std::int64_t statedSeconds) {
    const std::int64_t mib = (std::clamp<std::int64_t>(sourceBytes, 0, kLargestSourceBytes) +
                              (std::int64_t{1} << 20) - 1) >>
                             20;
    const std::int64_t seconds = std::clamp<std::int64_t>(statedSeconds, 0, kLongestSoundSeconds);
    return rule.floorMs + rule.msPerMiB * mib + rule.msPerSecond * seconds;
}

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
