// SPDX-License-Identifier: GPL-3.0-or-later
// The programs of the sixth kind of target found for this user, and whether
// one of them may be changed now.
#pragma once

#include <string>
#include <vector>

#include "model/settings_program.h"
#include "platform/settings_places.h"

namespace sonatrix {

class FileSystem;
class ProcessSource;

// Each Thunderbird profile, Pidgin, then each KDE program with sounds.
std::vector<SettingsProgram> FindSettingsPrograms(FileSystem& files, const SettingsPlaces& places);

// "请先关闭 <program>，它退出时会覆盖这项更改。"
std::string CloseProgramFirstText(const SettingsProgram& program);

// True when `program` runs and would write its settings over a change when
// it exits: Thunderbird while its profile is locked, Pidgin while its
// process runs (also when the processes cannot be listed: no change is
// then made). KDE's programs read their notifyrc again: never.
bool RunsAndWouldOverwrite(ProcessSource& processes, const SettingsProgram& program);

}  // namespace sonatrix
