// SPDX-License-Identifier: GPL-3.0-or-later
// How every adoption of a target ends, shared by the poll, the target
// switch and the manual pick.
#pragma once

namespace sonatrix {

class MainModel;

// TargetReady: the poll stops, the seven command buttons come back, the
// target line takes the window-text colour and the target list is refilled.
void MakeTargetReady(MainModel& model);

}  // namespace sonatrix
