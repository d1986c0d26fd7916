// SPDX-License-Identifier: GPL-3.0-or-later
#include "originals/store_pruning.h"

#include <algorithm>
#include <vector>

#include "originals/journal.h"
#include "originals/journal_stacks.h"
#include "originals/originals_store.h"
#include "platform/files.h"

namespace sonatrix {
namespace {

void AddContents(const JournalEntry& entry, std::set<std::string>& contents) {
    for (const FileChange& change : entry.files)
        for (const std::string* content : {&change.before, &change.after})
            if (*content != kAbsent && IsContentName(*content))
                contents.insert(*content);
}

// Takes out of `contents` what any original or entry refers to, the newest
// entries first, as they are the likeliest to. False when a record cannot be
// read: then nobody knows what it refers to.
bool DropReferenced(const OriginalsStore& store, std::set<std::string>& contents) {
    std::vector<FolderOriginals> every;
    if (store.ReadEveryOriginal(every) != 0)
        return false;
    for (const FolderOriginals& originals : every)
        for (const FolderOriginals::Original& original : originals.files)
            contents.erase(original.content);
    const std::vector<EntryHeader> headers = JournalHeaders(store);
    for (auto header = headers.rbegin(); header != headers.rend() && !contents.empty(); ++header) {
        JournalEntry entry;
        if (ReadJournalEntry(store, *header, entry) != 0)
            return false;
        std::set<std::string> referred;
        AddContents(entry, referred);
        for (const std::string& content : referred)
            contents.erase(content);
    }
    return true;
}

}  // namespace

void RemoveUnreferencedBlobs(OriginalsStore& store, std::set<std::string> contents) {
    contents.erase(std::string(kAbsent));
    if (contents.empty() || !DropReferenced(store, contents))
        return;
    for (const std::string& content : contents)
        store.Files().DeleteFile(store.BlobPath(content));
}

void RemoveEveryUnreferencedBlob(OriginalsStore& store) {
    std::vector<DirEntry> listed;
    if (store.Folder().empty() || !store.Files().ListFolder(store.Subfolder("blobs"), listed))
        return;
    std::set<std::string> contents;
    for (const DirEntry& item : listed)
        if (!item.isFolder && IsContentName(item.name))
            contents.insert(item.name);
    RemoveUnreferencedBlobs(store, std::move(contents));
}

void PruneJournal(OriginalsStore& store, std::size_t keep) {
    const std::vector<EntryHeader> headers = JournalHeaders(store);
    if (headers.size() <= keep)
        return;
    const JournalStacks stacks = ReplayJournal(headers);
    std::set<std::uint64_t> live;
    for (const auto* stack : {&stacks.undo, &stacks.redo})
        for (const EntryHeader& header : *stack)
            live.insert(header.number);
    // An entry another refers to (an undo's change, a skip's entry) is never
    // live and always older, so it goes before the one that refers to it.
    std::vector<EntryHeader> order = headers;
    std::stable_partition(order.begin(), order.end(),
                          [&](const EntryHeader& header) { return !live.contains(header.number); });
    order.resize(headers.size() - keep);
    std::set<std::string> contents;
    for (const EntryHeader& header : order) {
        JournalEntry entry;
        if (ReadJournalEntry(store, header, entry) == 0)
            AddContents(entry, contents);
        RemoveJournalEntry(store, header);
    }
    RemoveUnreferencedBlobs(store, std::move(contents));
}

}  // namespace sonatrix
