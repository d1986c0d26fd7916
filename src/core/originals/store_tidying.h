// SPDX-License-Identifier: GPL-3.0-or-later
// The store as a new start of the program finds it, made whole: what a
// crash left behind (temporary files in the store and in the folders a run
// was writing into, kept contents nothing refers to) removed, entries of
// earlier versions renamed, the journal pruned.
#pragma once

#include <vector>

#include "originals/store_pruning.h"

namespace sonatrix {

class OriginalsStore;

// Returns what could not be read (and so was left as it is), each once.
// Does nothing when another running program holds the store.
std::vector<StoreFailure> TidyStore(OriginalsStore& store);

}  // namespace sonatrix
