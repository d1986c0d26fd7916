#include "app/startup.h"

#include <chrono>

#include "app/dialogs.h"
#include "app/main_model.h"
#include "discovery/process_lookup.h"
#include "library/library_tree.h"
#include "replace/target_list.h"

namespace sonatrix {

void FormShow(MainModel& model) {
    model.random.seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    model.state.AppDir = model.ExecutableFolder;

    model.state.LibrarySoundCount = 0;
    DirToTreeView(model, model.state.AppDir + kLibraryFolder, true, model.libraryTree.Root());

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
    if (M_find_qq(model))
        MakeTargetReady(model);
}

void MakeTargetReady(MainModel& model) {
    model.state.Timer1Enabled = false;
    model.state.TargetCommandButtonsEnabled = true;
    model.state.TargetStatusColour = colour::kWindowText;
    model.Changed(kAspectTimer | kAspectCommandButtons | kAspectTargetStatus);
    M_list_qqshund(model);
}

}  // namespace sonatrix
