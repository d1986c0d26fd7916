// SPDX-License-Identifier: GPL-3.0-or-later
// The store of originals of the user running the program, for the commands
// that write into a client's folder, and the place of the store's that a
// command on the target writes into.
#pragma once

#include "catalogue/catalogue.h"
#include "model/main_model.h"
#include "originals/item_place.h"
#include "originals/originals_store.h"

namespace sonatrix {

inline OriginalsStore StoreOf(const MainModel& model) {
    return OriginalsStore(model.svc.files, model.DataFolder);
}

// The target's folder, or for the desktop its place: its folder and settings.
inline std::string TargetPlace(const MainState& state) {
    if (state.TargetKind == kKindDesktop && !state.TargetSoundDir.empty())
        return DesktopPlaceIn(state.TargetSoundDir);
    if (state.TargetKind == kKindProgram && !state.TargetSoundDir.empty())
        return ProgramPlaceIn(state.TargetSoundDir, state.TargetProgram.settingsFile);
    return state.TargetSoundDir;
}

}  // namespace sonatrix
