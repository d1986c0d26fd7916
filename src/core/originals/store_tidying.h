// SPDX-License-Identifier: GPL-3.0-or-later
// The store as a new start of the program finds it, made whole: what a
// crash left behind (temporary files in the store and in the folders a run
// was writing into, kept contents nothing refers to) removed, entries of
// earlier versions renamed, the journal pruned.
#pragma once

namespace sonatrix {

class OriginalsStore;

// Does nothing when another running program holds the store.
void TidyStore(OriginalsStore& store);

}  // namespace sonatrix
