// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <chrono>

#include "app/crash_leftovers.h"
#include "catalogue/catalogue.h"
#include "discovery/process_lookup.h"
#include "library/library_tree.h"
#include "model/batch_progress.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "model/target_list.h"
#include "model/target_ready.h"

namespace sonatrix {

void FormShow(MainModel& model) {
    model.random.seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    const ProgramFolders folders =
        DecideProgramFolders(model.svc.files, model.ExecutableFolder, model.DataFolder);
    model.state.AppDir = folders.appDir;
    model.state.UserLibraryDir = folders.userLibraryDir;
    RemoveCrashLeftovers(model);

    model.state.LibrarySoundCount = 0;
    DirToTreeView(model, LibraryFolders(model.state), true, model.libraryTree.Root());

    if (!M_find_qq(model)) {
        model.Changed(kAspectTargetStatus);
        model.svc.dialogs.MessageBox(kNoClientRunning, kAppTitle, mb::kOK | mb::kIconInformation);
        model.state.TargetCommandButtonsEnabled = false;
        model.state.TargetStatusColour = colour::kRed;
        model.state.Timer1Enabled = true;
        model.Changed(kAspectCommandButtons | kAspectTargetStatus | kAspectTimer);
    } else {
        model.Changed(kAspectTargetStatus);
    }
    M_list_qqshund(model);
}

void Timer1Timer(MainModel& model) {
    // Adopting a client in the middle of adding sounds would change the
    // window under the batch; the next tick after it looks again.
    if (model.svc.progress.Running())
        return;
    if (M_find_qq(model))
        MakeTargetReady(model);
}

}  // namespace sonatrix
