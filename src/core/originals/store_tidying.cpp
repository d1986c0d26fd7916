// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/store_tidying.h"

#include <algorithm>
#include <vector>

#include "originals/item_place.h"
#include "originals/journal.h"
#include "originals/originals_store.h"
#include "originals/store_lock.h"
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
StoreFailure TidyUnfinishedRuns(OriginalsStore& store) {
    std::vector<EntryHeader> headers;
    if (const int error = JournalHeaders(store, headers))
        return {store.Subfolder("journal"), error};
    for (auto header = headers.rbegin(); header != headers.rend(); ++header) {
        JournalEntry entry;
        if (const int error = ReadJournalEntry(store, *header, entry))
            return {JournalEntryPath(store, *header), error};
        if (entry.files.empty())
            continue;
        if (!Unfinished(entry))
            break;
        PlaceOf(store.Files(), entry.folder)->RemoveLeftovers();
    }
    return {};
}

void Note(std::vector<StoreFailure>& failures, StoreFailure failure) {
    if (failure.error != 0 &&
        std::none_of(failures.begin(), failures.end(),
                     [&](const StoreFailure& known) { return known.path == failure.path; }))
        failures.push_back(std::move(failure));
}

}  // namespace

std::vector<StoreFailure> TidyStore(OriginalsStore& store) {
    std::vector<StoreFailure> failures;
    FileSystem& files = store.Files();
    FileIdentity identity;
    if (store.Folder().empty())
        return failures;
    if (const int error = files.Identify(store.Folder(), identity)) {
        Note(failures, {store.Folder(), error});
        return failures;
    }
    if (identity.kind == FileIdentity::Kind::Absent)
        return failures;
    StoreLock lock(store, 0);
    if (lock.Error() == BusyCode())
        return failures;
    if (lock.Error() != 0) {
        Note(failures, {store.Folder() + "lock", lock.Error()});
        return failures;
    }
    // Each folder on its own, so that all that cannot be read is named.
    for (const char* folder : {"journal", "folders", "blobs"}) {
        std::vector<DirEntry> listed;
        const int error = files.ListAll(store.Subfolder(folder), listed);
        if (error != FileNotFoundCode())
            Note(failures, {store.Subfolder(folder), error});
    }
    for (const char* folder : {"", "blobs", "folders", "journal"})
        files.RemoveLeftovers(store.Subfolder(folder));
    if (const int error = RenameEarlierEntries(store))
        Note(failures, {store.Subfolder("journal"), error});
    Note(failures, TidyUnfinishedRuns(store));
    Note(failures, PruneJournal(store));
    Note(failures, RemoveEveryUnreferencedBlob(store));
    return failures;
}

}  // namespace sonatrix
