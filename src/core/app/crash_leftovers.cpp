// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crash_leftovers.h"

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "originals/store_tidying.h"
#include "platform/files.h"
#include "platform/path_pieces.h"
#include "replace/store_of.h"

namespace sonatrix {

void RemoveCrashLeftovers(MainModel& model) {
    OriginalsStore store = StoreOf(model);
    // What cannot be read is left as it is, and named: the program still
    // starts, and nothing of the store goes that nobody could look at.
    std::string unreadable;
    for (const StoreFailure& failure : TidyStore(store))
        unreadable += "\n" + failure.path + " " + SystemErrorText(failure.error);
    if (!unreadable.empty())
        model.svc.dialogs.MessageDlg(kStoreUnreadable + unreadable, DlgType::Warning, kDlgOK);
    // Where sounds are added and recorded.
    const std::string library = LibraryWriteFolder(model.state) + kSep;
    for (const char* category : {kCustomCategory, kRecordingsCategory})
        model.svc.files.RemoveLeftovers(library + category);
}

}  // namespace sonatrix
