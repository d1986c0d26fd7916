// SPDX-License-Identifier: GPL-3.0-or-later
// Thunderbird and Pidgin write their settings anew when they exit, over
// any change made while they ran: a command that would write into such a
// program's settings first asks for it to be closed, and changes nothing.
#pragma once

#include <string>

namespace sonatrix {

class MainModel;

// True, after saying "请先关闭 <program>，它退出时会覆盖这项更改。", when
// the target is a program's settings and that program runs.
bool ProgramMustCloseFirst(MainModel& model);
// The same for the store's place `placeKey` (an undo's), whatever the
// target is now.
bool ProgramOfPlaceMustCloseFirst(MainModel& model, const std::string& placeKey);

// Copying the target's sounds to TM's folder means nothing for a program's
// settings: on that target it says so and changes nothing.
inline constexpr const char* kNotForProgramSettings =
    "这个命令不能用于“更改程序设置中的声音”，什么也没有更改。";
// True, after saying so, when the target is a program's settings.
bool RefusedOnProgramSettings(MainModel& model);

}  // namespace sonatrix
