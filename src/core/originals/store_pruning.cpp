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
// entries first, as they are the likeliest to. Fails when anything cannot
// be read: then nobody knows what it refers to.
StoreFailure DropReferenced(const OriginalsStore& store, std::set<std::string>& contents) {
    std::vector<FolderOriginals> every;
    StoreFailure failure;
    if ((failure.error = store.ReadEveryOriginal(every, &failure.path)) != 0)
        return failure;
    for (const FolderOriginals& originals : every)
        for (const FolderOriginals::Original& original : originals.files)
            contents.erase(original.content);
    std::vector<EntryHeader> headers;
    std::vector<std::string> strays;
    if ((failure.error = JournalHeaders(store, headers, &strays)) != 0)
        return {store.Subfolder("journal"), failure.error};
    // A file that is no entry may be one of a later version's.
    if (!strays.empty())
        return {store.Subfolder("journal") + strays.front(), CorruptFileCode()};
    for (auto header = headers.rbegin(); header != headers.rend() && !contents.empty(); ++header) {
        JournalEntry entry;
        if (const int error = ReadJournalEntry(store, *header, entry))
            return {JournalEntryPath(store, *header), error};
        std::set<std::string> referred;
        AddContents(entry, referred);
        for (const std::string& content : referred)
            contents.erase(content);
    }
    return {};
}

}  // namespace

StoreFailure RemoveUnreferencedBlobs(OriginalsStore& store, std::set<std::string> contents) {
    contents.erase(std::string(kAbsent));
    if (contents.empty())
        return {};
    if (StoreFailure failure = DropReferenced(store, contents); failure.error != 0)
        return failure;
    if (contents.empty())
        return {};
    // The entries and records just read are what a power cut leaves too,
    // before anything they no longer name goes.
    FileSystem& files = store.Files();
    for (const char* folder : {"journal", "folders"}) {
        if (!files.FolderExists(store.Subfolder(folder)))
            continue;
        if (const int error = files.SyncFolder(store.Subfolder(folder)))
            return {store.Subfolder(folder), error};
    }
    for (const std::string& content : contents)
        files.DeleteFile(store.BlobPath(content));
    return {};
}

StoreFailure RemoveEveryUnreferencedBlob(OriginalsStore& store) {
    if (store.Folder().empty())
        return {};
    std::vector<DirEntry> listed;
    const int error = store.Files().ListAll(store.Subfolder("blobs"), listed);
    if (error == FileNotFoundCode())
        return {};
    if (error != 0)
        return {store.Subfolder("blobs"), error};
    std::set<std::string> contents;
    for (const DirEntry& item : listed)
        if (!item.isFolder && IsContentName(item.name))
            contents.insert(item.name);
    return RemoveUnreferencedBlobs(store, std::move(contents));
}

StoreFailure PruneJournal(OriginalsStore& store, std::size_t keep) {
    std::vector<EntryHeader> headers;
    if (const int error = JournalHeaders(store, headers))
        return {store.Subfolder("journal"), error};
    if (headers.size() <= keep)
        return {};
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
    StoreFailure unread;
    for (const EntryHeader& header : order) {
        JournalEntry entry;
        // What an entry that cannot be read refers to is not known: it stays.
        if (const int error = ReadJournalEntry(store, header, entry)) {
            if (unread.error == 0)
                unread = {JournalEntryPath(store, header), error};
            continue;
        }
        AddContents(entry, contents);
        RemoveJournalEntry(store, header);
    }
    StoreFailure swept = RemoveUnreferencedBlobs(store, std::move(contents));
    return unread.error != 0 ? unread : swept;
}

}  // namespace sonatrix
