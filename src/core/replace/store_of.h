// The store of originals of the user running the program, for the commands
// that write into a client's folder.
#pragma once

#include "model/main_model.h"
#include "originals/originals_store.h"

namespace sonatrix {

inline OriginalsStore StoreOf(const MainModel& model) {
    return OriginalsStore(model.svc.files, model.svc.desktop, model.DataFolder);
}

}  // namespace sonatrix
