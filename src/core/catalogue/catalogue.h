// SPDX-License-Identifier: GPL-3.0-or-later
// What the program knows of the clients, their sounds and its own library:
// constant tables and two lookups, no I/O.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sonatrix {

// The item index of the target combo box.
enum TargetKindValue : std::int32_t {
    kKindQQ = 0,
    kKindMsn = 1,
    kKindTM = 2,
    kKindOther = 3,
    kKindDesktop = 4,  // the desktop's own event sounds
    kKindProgram = 5,  // a program that names its sounds in its own settings
};

struct TargetKindInfo {
    std::int32_t kind;
    const char* comboText;
    const char* executable;  // empty for Other
    bool hasRegistryLocation;
};
inline constexpr std::array<TargetKindInfo, 6> kTargetKinds{{
    {kKindQQ, "更改QQ声音", "QQ.exe", true},
    {kKindMsn, "更改MSN声音", "msnmsgr.exe", true},
    {kKindTM, "更改TM声音", "TM.exe", false},
    {kKindOther, "更改其他程序", "", false},
    {kKindDesktop, "更改系统声音", "", false},
    {kKindProgram, "更改程序设置中的声音", "", false},
}};

struct RegistryLocation {
    const char* key;
    const char* value;
};
inline constexpr RegistryLocation kQQRegistry{"software\\TENCENT\\QQ", "Install"};
inline constexpr RegistryLocation kMsnRegistry{"software\\Microsoft\\MSNMessenger",
                                               "InstallationDirectory"};

struct KnownSound {
    const char* fileName;
    const char* description;  // nullptr: none
    std::int32_t iconIndex;   // -1: none
};
inline constexpr std::array<KnownSound, 13> kKnownSounds{{
    {"msg.wav", "QQ收到消息", 1},
    {"folder.wav", "QQ切换页栏", -1},
    {"Global.wav", "QQ有人上线", 2},
    {"call.wav", "QQ语音呼叫", 6},
    {"system.wav", "QQ系统消息", 4},
    {"ring.wav", nullptr, 7},
    {"newemail.wav", "MSN收到新邮件", 9},
    {"type.wav", "MSN收到新消息", 3},
    {"online.wav", "MSN有人上线", 2},
    {"newalert.wav", "MSN新事件", -1},
    {"phone.wav", nullptr, 7},
    {"nudge.wav", nullptr, -1},
    {"vimdone.wav", nullptr, -1},
}};

inline constexpr const char* kUnknownSoundType = "未知类型";

// The description of the sound file named exactly `fileName` (letter case
// included), a client's or one of the desktop's events (desktop_events.h),
// or "未知类型".
std::string SoundDescription(std::string_view fileName);

// The list icon of the sound file named `fileName` ignoring ASCII case.
std::optional<int> SoundIconIndex(std::string_view fileName);

// Backup sets beside the executable, in the order the restore copies them.
inline constexpr const char* kQQBackupFolder = "qqsounds\\";
inline constexpr std::array<const char*, 6> kQQBackupFiles{"call.wav", "folder.wav", "Global.wav",
                                                           "msg.wav",  "ring.wav",   "system.wav"};
inline constexpr const char* kMsnBackupFolder = "msnsounds\\";
inline constexpr std::array<const char*, 8> kMsnBackupFiles{
    "newalert.wav", "newemail.wav", "nudge.wav", "online.wav",
    "phone.wav",    "ring.wav",     "type.wav",  "vimdone.wav"};

// What lies beside the executable.
inline constexpr const char* kLibraryFolderName = "newsounds";
inline constexpr const char* kHelpPage = "help.htm";
// Where a package laid out the Unix way puts what lies beside the executable
// otherwise: <prefix>/share/sonatrix/, the executable being in <prefix>/bin/.
inline constexpr const char* kSharedFilesFolder = "share\\sonatrix\\";
// Laid down beside the executable by the Windows installer: that folder is
// the installed program's even though its user may write there.
inline constexpr const char* kInstalledMarker = "installed.txt";

// Library categories the program names, with the files it names in them.
struct LibraryCategory {
    const char* folder;                // under "newsounds\", backslash-separated
    std::array<const char*, 5> files;  // nullptr-terminated when fewer
};
inline constexpr const char* kCustomCategory = "自定义";
inline constexpr const char* kRecordingsCategory = "我的录音";
inline constexpr std::array<LibraryCategory, 15> kLibraryCategories{{
    {"自定义", {}},
    {"我的录音", {}},
    {"片头音乐", {"Music9.wav"}},
    {"动物\\昆虫", {"蟋蟀2.wav", "Insect6.wav"}},
    {"动物\\家畜", {"DOG8.WAV"}},
    {"动物\\鸟", {"Bird1.wav", "Bird32.wav", "Bird105.wav", "Bird110.wav", "Bird122.wav"}},
    {"动物\\兽类", {"老虎.wav"}},
    {"日常生活", {"开门2.wav", "Reminder.wav"}},
    {"电话", {"PHONE7.WAV", "PHONE11.WAV", "PHONE13.WAV", "PHONE17.WAV", "PHONE41.WAV"}},
    {"浪花朵朵", {"Sports41.wav", "Sports42.wav"}},
    {"风雨雷电", {"Game36.wav", "Game77.wav", "Wind6.wav"}},
    {"卡通音效", {"Cartoon45.wav", "Cartoon73.wav"}},
    {"战争", {"BOMB3.WAV", "SHOOT3.WAV"}},
    {"游戏", {"Fight191.wav"}},
    {"乐器", {"Joy13.wav", "Joy123.wav"}},
}};

// The intro music the About command plays.
inline constexpr const char* kIntroMusic = "newsounds\\片头音乐\\Music9.wav";

}  // namespace sonatrix
