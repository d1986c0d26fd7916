// SPDX-License-Identifier: GPL-3.0-or-later
#include "discovery/manual_pick.h"

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/main_model.h"
#include "model/target_ready.h"
#include "platform/files.h"
#include "platform/path_pieces.h"

namespace sonatrix {

void SpeedButton1Click(MainModel& model) {
    const std::string picked = model.svc.dialogs.ShowPicker();
    if (picked.empty())
        return;
    auto& state = model.state;
    // Set without running the combo box's selection handler.
    state.ComboIndex = kKindOther;
    state.TargetStatusText = picked;
    state.TargetSoundDir = FolderPart(picked);
    state.TargetKind = kKindOther;

    FileSystem& files = model.svc.files;
    if (!files.FileExists(state.TargetSoundDir + "ring.wav")) {
        for (const char* layout : {"sound\\", "TMsound\\"}) {
            const std::string folder = NativePath(layout);
            if (files.FileExists(state.TargetSoundDir + folder + "folder.wav")) {
                state.TargetSoundDir += folder;
                state.TargetStatusText = state.TargetSoundDir;
                break;
            }
        }
    }
    model.Changed(kAspectCombo | kAspectTargetStatus);
    MakeTargetReady(model);
}

}  // namespace sonatrix
