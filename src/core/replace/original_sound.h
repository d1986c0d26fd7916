// SPDX-License-Identifier: GPL-3.0-or-later
// The sound a replacement is made as loud as: what an item of the target's
// place held before Sonatrix first wrote it, as the store keeps it, and a
// sound file of any format read as WAV bytes. The kinds of target whose
// sounds are new files of ours find theirs through these as well.
#pragma once

#include <optional>
#include <string>

namespace sonatrix {

class MainModel;

// Why a sound is written unmatched, for lack of an original to match.
inline constexpr const char* kNoOriginal = "原来没有这个声音文件，无从比较音量，新声音按原样写入。";
inline constexpr const char* kOriginalUnreadable =
    "原声音不是本程序能读取的WAV文件，无从比较音量，新声音按原样写入。";

// What the item `item` of the target's place first held as far as the
// store knows: its original, or (when none is kept yet) what it holds now,
// which the write is about to keep as its original. Nothing for no file.
// False when that cannot be read.
bool ReadFirstContent(MainModel& model, const std::string& item, std::optional<std::string>& bytes);

// The sound file `path` as WAV bytes: a PCM WAV file as it is, any other
// decoded by the program's decoding helper. False when it cannot be read
// or decoded.
bool ReadAsWav(MainModel& model, const std::string& path, std::string& bytes);

}  // namespace sonatrix
