// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/loudness_match.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "library/loudness.h"
#include "library/pcm_samples.h"
#include "model/main_model.h"
#include "platform/files.h"
#include "replace/original_sound.h"
#include "replace/target_kind_writes.h"

namespace sonatrix {
namespace {

constexpr const char* kOriginalSilent = "原声音是静音，无从比较音量，新声音按原样写入。";
constexpr const char* kNewUnreadable = "新声音不是本程序能读取的WAV文件，按原样写入。";
constexpr const char* kNewSilent = "新声音是静音，按原样写入。";
constexpr const char* kNotMeasured = "无法测量这个声音的音量，新声音按原样写入。";

// Below this a gain is not heard, and dither would change the bytes for
// nothing.
constexpr double kNoGainDb = 0.05;

std::string LimitNote(double cutDb) {
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", cutDb);
    return std::string("新声音比原声音轻，最多只能加大到原声音的音量以下 ") + number + " dB。";
}

}  // namespace

MatchedSound MatchLoudness(const std::optional<std::string>& original, const std::string& library) {
    if (!original)
        return {std::nullopt, kNoOriginal};
    const std::optional<PcmLayoutOfFile> originalLayout = ReadPcmLayout(*original);
    if (!originalLayout)
        return {std::nullopt, kOriginalUnreadable};
    const std::optional<PcmLayoutOfFile> libraryLayout = ReadPcmLayout(library);
    if (!libraryLayout)
        return {std::nullopt, kNewUnreadable};
    const std::optional<double> before = MomentaryMax(*original, *originalLayout);
    const std::optional<double> after = MomentaryMax(library, *libraryLayout);
    if (!before || !after)
        return {std::nullopt, kNotMeasured};
    if (*before < kSilenceLufs)
        return {std::nullopt, kOriginalSilent};
    if (*after < kSilenceLufs)
        return {std::nullopt, kNewSilent};

    double gain = *before - *after;
    MatchedSound matched;
    // The ceiling holds back a raise; it never lowers a sound that the
    // match would raise, already peaking above it.
    if (gain > 0) {
        const std::optional<double> peak = TruePeak(library, *libraryLayout);
        if (!peak)
            return {std::nullopt, kNotMeasured};
        const double most = std::max(0.0, kTruePeakCeilingDb - *peak);
        if (gain > most) {
            if (gain - most > kCutWorthSayingDb)
                matched.note = LimitNote(gain - most);
            gain = most;
        }
    }
    if (std::abs(gain) >= kNoGainDb)
        matched.bytes = WithGain(library, *libraryLayout, gain);
    return matched;
}

MatchedSound MatchToTargetSound(MainModel& model, TargetKindWrites& kind, const std::string& source,
                                const std::string& name, const std::string& item) {
    std::string library;
    if (model.svc.files.ReadSharedFile(source, library) != 0)
        return {};
    std::optional<std::string> original;
    if (!ReadFirstContent(model, item, original))
        return {std::nullopt, kOriginalUnreadable};
    // A new file of ours (a desktop's or a program's event) stands in for
    // the sound the target played before: the kind knows which that was.
    if (!original) {
        FirstSound first = kind.FirstSoundOf(name);
        if (!first.wav)
            return {std::nullopt, first.whyNone.empty() ? kNoOriginal : first.whyNone};
        original = std::move(first.wav);
    }
    return MatchLoudness(original, library);
}

}  // namespace sonatrix
