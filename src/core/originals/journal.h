// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of changes: one entry per command run that changed files in a
// client's folder, kept in the store so that it outlives the program. An
// entry is a file named by its number and what it is (a change, an undo of
// entry N, ...), which never changes once made: what undo and redo would
// take next follows from the names alone, without reading the entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sonatrix {

class OriginalsStore;

enum class EntryKind : char {
    Change = 'c',         // a command that wrote files (a restore included)
    Undo = 'u',           // took back the change (or redo) `target`
    Redo = 'r',           // took back the undo `target`
    Skip = 's',           // undo and redo pass over entry `target`
    UndoneEarlier = 'x',  // a change an earlier version of the program took back
};

struct EntryHeader {
    std::uint64_t number = 0;  // its place in the journal; 0 until first written
    EntryKind kind = EntryKind::Change;
    std::uint64_t target = 0;
    bool earlierName = false;  // named as earlier versions named entries
};

// One file a run wrote: what it held before and after, as the store names
// contents (kUnknown for an after not yet known).
struct FileChange {
    std::string name;
    std::string before;
    std::string after;
};

struct JournalEntry {
    EntryHeader header;
    std::string time;  // UTC, "2009-05-01T12:00:00Z"
    std::string name;  // the change as the user knows it ("山村静夜", "撤销：山村静夜")
    std::string folder;  // the key of the folder it wrote into
    std::vector<FileChange> files;
};

// Adds `entry` after the journal's latest one, under a number no entry
// ever had (the journal keeps the highest number it gave, so that one
// pruned is never given again, and the file is created only when its name
// is free), and sets its number. Returns 0 or the system's error code.
int CreateJournalEntry(OriginalsStore& store, JournalEntry& entry);
// Replaces a written entry as a whole.
int RewriteJournalEntry(OriginalsStore& store, const JournalEntry& entry);
// Takes an entry out of the journal.
int RemoveJournalEntry(OriginalsStore& store, const EntryHeader& header);

// Every entry's header, oldest first, from the journal's file names; with
// `strays`, also the names in the journal's folder that are no entry's
// (temporary files aside). Returns 0, or the error that kept the journal
// from being listed whole: then there are none.
int JournalHeaders(const OriginalsStore& store, std::vector<EntryHeader>& headers,
                   std::vector<std::string>* strays = nullptr);
// The file that holds an entry, to name it to the user.
std::string JournalEntryPath(const OriginalsStore& store, const EntryHeader& header);
// One entry. Returns 0, or an error when it cannot be read or is damaged.
int ReadJournalEntry(const OriginalsStore& store, const EntryHeader& header, JournalEntry& entry);
// Every entry that can be read, oldest first (to look at, never to decide
// what may go: it leaves out what it cannot read).
std::vector<JournalEntry> ReadJournal(const OriginalsStore& store);

// Gives the entries of earlier versions names that say what they are.
// Returns 0 or the first error.
int RenameEarlierEntries(OriginalsStore& store);

// The time now, as entries keep it.
std::string JournalTimeNow();

}  // namespace sonatrix
