// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/store_tidying.h"

#include <vector>

#include "originals/item_place.h"
#include "originals/journal.h"
#include "originals/originals_store.h"
#include "originals/store_lock.h"
#include "originals/store_pruning.h"
#include "platform/files.h"

namespace sonatrix {
namespace {

bool Unfinished(const JournalEntry& entry) {
    for (const FileChange& change : entry.files)
        if (change.after == kUnknown)
            return true;
    return false;
}

// The folders the latest runs were writing into when they stopped: their
// entries still say "about to be written". Older ones were tidied by an
// earlier start.
void TidyUnfinishedRuns(OriginalsStore& store) {
    const std::vector<EntryHeader> headers = JournalHeaders(store);
    for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
        JournalEntry entry;
        if (ReadJournalEntry(store, *header, entry) != 0)
            continue;
        if (entry.files.empty())
            continue;
        if (!Unfinished(entry))
            break;
        PlaceOf(store.Files(), entry.folder)->RemoveLeftovers();
    }
}

}  // namespace

void TidyStore(OriginalsStore& store) {
    FileSystem& files = store.Files();
    if (store.Folder().empty() || !files.FolderExists(store.Folder()))
        return;
    StoreLock lock(store, 0);
    if (lock.Error() != 0)
        return;
    for (const char* folder : {"", "blobs", "folders", "journal"})
        files.RemoveLeftovers(store.Subfolder(folder));
    RenameEarlierEntries(store);
    TidyUnfinishedRuns(store);
    PruneJournal(store);
    RemoveEveryUnreferencedBlob(store);
}

}  // namespace sonatrix
