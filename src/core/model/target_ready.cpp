// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/target_ready.h"

#include "model/main_model.h"
#include "model/target_list.h"

namespace sonatrix {

void MakeTargetReady(MainModel& model) {
    model.state.Timer1Enabled = false;
    model.state.TargetCommandButtonsEnabled = true;
    model.state.TargetStatusColour = colour::kWindowText;
    model.Changed(kAspectTimer | kAspectCommandButtons | kAspectTargetStatus);
    M_list_qqshund(model);
}

}  // namespace sonatrix
