// SPDX-License-Identifier: GPL-3.0-or-later
// Restoring the default sounds of QQ and MSN Messenger, letting each use
// the other's defaults, and copying the target's QQ sounds to TM.
#pragma once

#include <array>

namespace sonatrix {

class MainModel;

// One file of a cross-apply: `source` a file of the other client's backup
// set, `destination` the file it replaces in the client's folder; the
// destination name labels a failed copy. The restores copy each backup set
// as the catalogue lists it, every file over its own name.
struct CopyRow {
    const char* source;
    const char* destination;
};

// Not each other's inverse: only Global/online and msg/type map both ways.
inline constexpr std::array<CopyRow, 4> kQQUsesMsnRows{{
    {"newalert.wav", "folder.wav"},
    {"online.wav", "Global.wav"},
    {"type.wav", "msg.wav"},
    {"newemail.wav", "system.wav"},
}};
inline constexpr std::array<CopyRow, 4> kMsnUsesQQRows{{
    {"system.wav", "newalert.wav"},
    {"Global.wav", "online.wav"},
    {"msg.wav", "type.wav"},
    {"folder.wav", "newemail.wav"},
}};
inline constexpr std::array<const char*, 6> kCopyToTMFiles{"msg.wav",    "Global.wav", "folder.wav",
                                                           "system.wav", "ring.wav",   "call.wav"};

void SpeedButton4Click(MainModel& model);   // "还原QQ默认声音"
void SpeedButton14Click(MainModel& model);  // "还原默认MSN声音"
void SpeedButton16Click(MainModel& model);  // "QQ使用MSN声音"
void SpeedButton15Click(MainModel& model);  // "MSN使用QQ声音"
// "复制声音到TM": the target's sounds into the "TMsound" folder beside the
// target program.
void SpeedButton13Click(MainModel& model);

}  // namespace sonatrix
