// SPDX-License-Identifier: GPL-3.0-or-later
// Making a program that names its sounds in its own settings the target
// (the sixth item of ComboBox1).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/settings_program.h"

namespace sonatrix {

class FileSystem;
class MainModel;

inline constexpr const char* kNoSettingsPrograms =
    "没有找到在自己的设置中保存声音的程序（Thunderbird、Pidgin 或 KDE 的程序）。";

// Finds this user's programs and lets the user choose one in the chooser;
// the one chosen becomes the target. Without a choice there is no target.
void ChooseSettingsProgram(MainModel& model);

// `program` becomes the target: the target line shows its settings file,
// and its sounds go to its folder in the program's data folder.
void AdoptSettingsProgram(MainModel& model, SettingsProgram program);

// The events of `program` as the text of its settings file `text` sets
// them; a KDE program's over its own notifyrc.
std::vector<ProgramEvent> ProgramEventsIn(FileSystem& files, const SettingsProgram& program,
                                          std::string_view text);

// The target program's events read again from its settings, as they are
// after a write, an undo or a restore.
void RereadProgramEvents(MainModel& model);

// Says that `event` of `program` will not be heard: its sound is off there.
std::string ProgramEventOffText(const SettingsProgram& program, const std::string& event);

}  // namespace sonatrix
