// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the target by hand ("手工指定程序……").
#pragma once

namespace sonatrix {

class MainModel;

// Shows the program picker and, when a program or folder was picked, makes
// it the target of kind Other and the target ready.
void SpeedButton1Click(MainModel& model);

}  // namespace sonatrix
