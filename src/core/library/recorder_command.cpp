#include "library/recorder_command.h"

#include "app/dialogs.h"
#include "app/main_model.h"
#include "library/library_tree.h"

namespace sonatrix {

void SpeedButton2Click(MainModel& model) {
    model.svc.dialogs.ShowRecorder();
    RebuildLibraryTree(model);
}

}  // namespace sonatrix
