// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that write into the target do not write into a program's
// settings yet: on that target they say so and change nothing.
#pragma once

namespace sonatrix {

class MainModel;

inline constexpr const char* kNotYetOnProgramSettings =
    "暂时还不能对“更改程序设置中的声音”执行这个命令，什么也没有更改。";

// True, after saying so, when the target is a program's settings.
bool RefusedOnProgramSettings(MainModel& model);

}  // namespace sonatrix
