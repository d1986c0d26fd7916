// SPDX-License-Identifier: GPL-3.0-or-later
// "音量与原声音一致": a library sound written over a target sound plays as
// loud as the sound the client came with, not as loud as whatever the user
// chose. The library file stays as it is; what is written is it with a gain
// g = M_max(original) - M_max(new), held so that its true peak stays at or
// below -1 dBTP. "Original" is the first original the store keeps for the
// file, so repeated replacements all match the client's own sound; for a
// desktop's or a program's event, whose file is new in our own folder, it
// is the sound the desktop or the program played for it before. Where
// there is no gain to give, the write stays a byte-for-byte copy and the
// note says why.
#pragma once

#include <optional>
#include <string>

namespace sonatrix {

class MainModel;
class TargetKindWrites;

inline constexpr const char* kMatchLoudnessCaption = "音量与原声音一致";

// The largest true peak a gain may lead to.
inline constexpr double kTruePeakCeilingDb = -1.0;
// Quieter than this, an original (or a new sound) is taken for silence.
inline constexpr double kSilenceLufs = -70.0;
// A cut by the ceiling worth telling the user about.
inline constexpr double kCutWorthSayingDb = 3.0;

// Why a sound is written unmatched, for lack of an original to match.
inline constexpr const char* kNoOriginal = "原来没有这个声音文件，无从比较音量，新声音按原样写入。";
inline constexpr const char* kOriginalUnreadable =
    "原声音不是本程序能读取的WAV文件，无从比较音量，新声音按原样写入。";

struct MatchedSound {
    std::optional<std::string> bytes;  // what to write; nothing: the library file as it is
    std::string note;                  // for the user; empty when there is nothing to say
};

// The library sound `library` (a file's bytes) matched to `original`, what
// the target sound first held (nothing: it had no such file).
MatchedSound MatchLoudness(const std::optional<std::string>& original, const std::string& library);

// The library file `source` matched to the original of the target's sound
// `name` (as the list names it), which is written to the item `item` of the
// target's place; where the item has no original of its own, to what
// `kind` played for the sound before. A source that cannot be read gives
// nothing and no note: the copy reports it.
MatchedSound MatchToTargetSound(MainModel& model, TargetKindWrites& kind, const std::string& source,
                                const std::string& name, const std::string& item);

// What the item `name` of the target's place first held as far as the
// store knows: its original, or (when none is kept yet) what it holds now,
// which the write is about to keep as its original. Nothing for no file.
// False when that cannot be read. The kinds whose sounds are new files of
// ours read their settings' first values with it.
bool ReadFirstContent(MainModel& model, const std::string& name, std::optional<std::string>& bytes);

// The sound file `path` as WAV bytes: a PCM WAV file as it is, any other
// decoded by the program's decoding helper. False when it cannot be read
// or decoded.
bool ReadAsWav(MainModel& model, const std::string& path, std::string& bytes);

}  // namespace sonatrix
