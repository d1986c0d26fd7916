// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/target_kind_writes.h"

#include "catalogue/catalogue.h"
#include "model/main_model.h"

namespace sonatrix {

std::unique_ptr<TargetKindWrites> WritesOfTarget(MainModel& model) {
    switch (model.state.TargetKind) {
        case kKindDesktop:
            return MakeDesktopWrites(model);
        case kKindProgram:
            return MakeProgramWrites(model);
        default:
            return std::make_unique<TargetKindWrites>();
    }
}

}  // namespace sonatrix
