// SPDX-License-Identifier: GPL-3.0-or-later
// The five preset themes: six QQ sounds replaced with six library sounds.
#pragma once

#include <array>

namespace sonatrix {

class MainModel;

inline constexpr std::size_t kThemeRows = 6;

struct PresetTheme {
    const char* name;
    // Below AppDir, backslash-separated, one per destination of kThemeDestinations.
    std::array<const char*, kThemeRows> sources;
};

// Every theme writes these files, in this order.
inline constexpr std::array<const char*, kThemeRows> kThemeDestinations{
    "msg.wav", "Global.wav", "folder.wav", "system.wav", "ring.wav", "call.wav"};

// A program none of whose events a theme knows.
inline constexpr const char* kThemeHasNoEvents = "这个程序没有主题能对应的事件，什么也没有更改。";

inline constexpr std::array<PresetTheme, 5> kPresetThemes{{
    {"山村静夜",
     {"newsounds\\动物\\昆虫\\蟋蟀2.wav", "newsounds\\动物\\家畜\\DOG8.WAV",
      "newsounds\\日常生活\\开门2.wav", "newsounds\\日常生活\\Reminder.wav",
      "newsounds\\电话\\PHONE13.WAV", "newsounds\\电话\\PHONE7.WAV"}},
    {"高山流水",
     {"newsounds\\浪花朵朵\\Sports42.wav", "newsounds\\风雨雷电\\Game36.wav",
      "newsounds\\动物\\鸟\\Bird105.wav", "newsounds\\风雨雷电\\Wind6.wav",
      "newsounds\\动物\\鸟\\Bird122.wav", "newsounds\\动物\\鸟\\Bird122.wav"}},
    {"鸟语花香",
     {"newsounds\\动物\\鸟\\Bird110.wav", "newsounds\\动物\\鸟\\Bird1.wav",
      "newsounds\\动物\\鸟\\Bird32.wav", "newsounds\\动物\\昆虫\\Insect6.wav",
      "newsounds\\卡通音效\\Cartoon45.wav", "newsounds\\卡通音效\\Cartoon73.wav"}},
    {"烈火金刚",
     {"newsounds\\战争\\SHOOT3.WAV", "newsounds\\战争\\BOMB3.WAV", "newsounds\\游戏\\Fight191.wav",
      "newsounds\\乐器\\Joy13.wav", "newsounds\\电话\\PHONE41.WAV",
      "newsounds\\电话\\PHONE41.WAV"}},
    {"怒海狂涛",
     {"newsounds\\浪花朵朵\\Sports41.wav", "newsounds\\动物\\兽类\\老虎.wav",
      "newsounds\\风雨雷电\\Game77.wav", "newsounds\\乐器\\Joy123.wav",
      "newsounds\\电话\\PHONE17.WAV", "newsounds\\电话\\PHONE11.WAV"}},
}};

// Applies `theme` to the target folder: the QQ-only warning when the target
// kind is not QQ, the six copies, each failure reported, then "…－完成。".
void ApplyPresetTheme(MainModel& model, const PresetTheme& theme);

void SpeedButton5Click(MainModel& model);   // 山村静夜
void SpeedButton7Click(MainModel& model);   // 高山流水
void SpeedButton8Click(MainModel& model);   // 鸟语花香
void SpeedButton10Click(MainModel& model);  // 烈火金刚
void SpeedButton11Click(MainModel& model);  // 怒海狂涛

}  // namespace sonatrix
