// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/program_settings_gate.h"

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"

namespace sonatrix {

bool RefusedOnProgramSettings(MainModel& model) {
    if (model.state.TargetKind != kKindProgram)
        return false;
    model.svc.dialogs.MessageDlg(kNotYetOnProgramSettings, DlgType::Information, kDlgOK);
    return true;
}

}  // namespace sonatrix
