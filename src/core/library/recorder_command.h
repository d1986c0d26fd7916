// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "自己录音" command.
#pragma once

namespace sonatrix {

class MainModel;

// Shows the recorder modally, then rebuilds the library tree so that new
// recordings show up (also when nothing was recorded).
void SpeedButton2Click(MainModel& model);

}  // namespace sonatrix
