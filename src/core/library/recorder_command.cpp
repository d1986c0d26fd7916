// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/recorder_command.h"

#include "library/library_tree.h"
#include "model/dialogs.h"
#include "model/main_model.h"

namespace sonatrix {

void SpeedButton2Click(MainModel& model) {
    model.svc.dialogs.ShowRecorder();
    RebuildLibraryTree(model);
}

}  // namespace sonatrix
