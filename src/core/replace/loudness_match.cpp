// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/loudness_match.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "library/loudness.h"
#include "library/pcm_samples.h"
#include "model/batch_progress.h"
#include "model/main_model.h"
#include "originals/item_place.h"
#include "originals/originals_store.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "platform/sound_decoder.h"
#include "replace/store_of.h"
#include "replace/target_kind_writes.h"
#include "replace/target_write.h"

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

// A link's target as a path: relative ones start in the link's folder.
std::string LinkTargetPath(const std::string& folder, const std::string& target) {
    return target.starts_with(kSep) ? target : folder + target;
}

}  // namespace

bool ReadFirstContent(MainModel& model, const std::string& name,
                      std::optional<std::string>& bytes) {
    FileSystem& files = model.svc.files;
    const OriginalsStore store = StoreOf(model);
    const std::unique_ptr<ItemPlace> place = PlaceOf(files, TargetPlace(model.state));
    FolderOriginals originals;
    if (!place->Key().empty() && store.ReadOriginals(place->Key(), originals) != 0)
        return false;
    ItemValue value;
    if (const FolderOriginals::Original* original = originals.Find(place->NameOf(name), *place)) {
        if (original->content != kAbsent) {
            value.kind = original->content.front() == kLinkMark ? ItemValue::Kind::Link
                                                                : ItemValue::Kind::Bytes;
            if (files.ReadSharedFile(store.BlobPath(original->content), value.bytes) != 0)
                return false;
        }
    } else if (place->Read(name, value) != 0) {
        return false;
    }
    bytes.reset();
    if (value.kind == ItemValue::Kind::Absent)
        return true;
    if (value.kind == ItemValue::Kind::Bytes) {
        bytes = std::move(value.bytes);
        return true;
    }
    bytes.emplace();
    return files.ReadSharedFile(LinkTargetPath(model.state.TargetSoundDir, value.bytes), *bytes) ==
           0;
}

bool ReadAsWav(MainModel& model, const std::string& path, std::string& bytes) {
    FileSystem& files = model.svc.files;
    if (files.ReadSharedFile(path, bytes) != 0)
        return false;
    if (ReadPcmLayout(bytes))
        return true;
    // A passing file of the user's data folder, named as when only the
    // desktop's sounds were decoded here.
    const std::string wav = model.DataFolder + ".desktop-sound.wav.part";
    files.DeleteFile(wav);  // a crash's leftover; the decoder wants a new path
    if (CreateFolderAndParents(files, model.DataFolder) != 0)
        return false;
    // The decoder runs off the window's thread, as a batch of one step.
    DecodeResult decoded;
    BatchProgress& progress = model.svc.progress;
    progress.Begin(1);
    progress.Run(0, FileNameOf(path), [&](const std::atomic<bool>& stop) {
        decoded = model.svc.decoder.Decode(path, wav, stop);
    });
    progress.End();
    const bool read = decoded.ok && files.ReadSharedFile(wav, bytes) == 0;
    files.DeleteFile(wav);
    return read;
}

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
    // the sound the target played before: its kind knows which that was.
    if (!original) {
        FirstSound first = kind.FirstSoundOf(name);
        if (!first.wav)
            return {std::nullopt, first.whyNone.empty() ? kNoOriginal : first.whyNone};
        original = std::move(first.wav);
    }
    return MatchLoudness(original, library);
}

}  // namespace sonatrix
