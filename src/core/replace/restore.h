// Restoring the default sounds of QQ and MSN Messenger, letting each use
// the other's defaults, and copying the target's QQ sounds to TM.
#pragma once

#include <array>

namespace sonatrix {

class MainModel;

// One file of a batch: `source` under AppDir, `destination` a file name in
// the client's folder; the destination name labels a failed copy.
struct CopyRow {
    const char* source;
    const char* destination;
};

inline constexpr std::array<CopyRow, 6> kRestoreQQRows{{
    {"qqsounds\\call.wav", "call.wav"},
    {"qqsounds\\folder.wav", "folder.wav"},
    {"qqsounds\\Global.wav", "Global.wav"},
    {"qqsounds\\msg.wav", "msg.wav"},
    {"qqsounds\\ring.wav", "ring.wav"},
    {"qqsounds\\system.wav", "system.wav"},
}};
inline constexpr std::array<CopyRow, 8> kRestoreMsnRows{{
    {"msnsounds\\newalert.wav", "newalert.wav"},
    {"msnsounds\\newemail.wav", "newemail.wav"},
    {"msnsounds\\nudge.wav", "nudge.wav"},
    {"msnsounds\\online.wav", "online.wav"},
    {"msnsounds\\phone.wav", "phone.wav"},
    {"msnsounds\\ring.wav", "ring.wav"},
    {"msnsounds\\type.wav", "type.wav"},
    {"msnsounds\\vimdone.wav", "vimdone.wav"},
}};
// Not each other's inverse: only Global/online and msg/type map both ways.
inline constexpr std::array<CopyRow, 4> kQQUsesMsnRows{{
    {"msnsounds\\newalert.wav", "folder.wav"},
    {"msnsounds\\online.wav", "Global.wav"},
    {"msnsounds\\type.wav", "msg.wav"},
    {"msnsounds\\newemail.wav", "system.wav"},
}};
inline constexpr std::array<CopyRow, 4> kMsnUsesQQRows{{
    {"qqsounds\\system.wav", "newalert.wav"},
    {"qqsounds\\Global.wav", "online.wav"},
    {"qqsounds\\msg.wav", "type.wav"},
    {"qqsounds\\folder.wav", "newemail.wav"},
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
