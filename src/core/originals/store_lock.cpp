// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/store_lock.h"

#include "originals/originals_store.h"
#include "platform/files.h"

namespace sonatrix {

StoreLock::StoreLock(OriginalsStore& store, int waitMs) {
    error_ = store.MakeSubfolder("");
    if (error_ == 0)
        error_ = store.Files().LockFile(store.Folder() + "lock", waitMs, held_);
}

StoreLock::~StoreLock() = default;

}  // namespace sonatrix
