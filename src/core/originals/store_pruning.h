// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the store small: the journal's latest entries only, and no kept
// content that nothing refers to. Originals are never dropped. Everything
// here runs while the store's lock is held, and removes nothing unless it
// saw every record and every entry.
#pragma once

#include <cstddef>
#include <set>
#include <string>

namespace sonatrix {

class OriginalsStore;

inline constexpr std::size_t kJournalLength = 500;

// What the store could not read, to name to the user.
struct StoreFailure {
    std::string path;
    int error = 0;
};

// Drops the entries beyond the latest `keep`: first those that undo and
// redo no longer take, oldest first, then the oldest; then the contents
// that only they referred to. Returns 0 or what could not be read.
StoreFailure PruneJournal(OriginalsStore& store, std::size_t keep = kJournalLength);

// Removes the kept contents among `contents` that no original and no entry
// refers to. Nothing is removed when a record or an entry cannot be read,
// or the journal holds a file that is no entry. Returns 0 or what could
// not be read.
StoreFailure RemoveUnreferencedBlobs(OriginalsStore& store, std::set<std::string> contents);

// The same for every kept content (what a crash between keeping a content
// and naming it in the journal left).
StoreFailure RemoveEveryUnreferencedBlob(OriginalsStore& store);

}  // namespace sonatrix
