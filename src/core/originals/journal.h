// The journal of changes: one entry per command run that changed files in a
// client's folder, kept in the store so that it outlives the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sonatrix {

class OriginalsStore;

// One file a run wrote: what it held before and after, as the store names
// contents (a SHA-256, kAbsent, or kUnknown for an after not yet known).
struct FileChange {
    std::string name;
    std::string before;
    std::string after;
};

struct JournalEntry {
    std::uint64_t number = 0;  // its place in the journal; 0 until first written
    std::string time;          // UTC, "2009-05-01T12:00:00Z"
    std::string name;          // the command as the user knows it ("山村静夜")
    std::string folder;        // the key of the folder it wrote into
    bool undone = false;
    std::vector<FileChange> files;
};

// Writes `entry` whole, after the journal's latest entry when it has no
// number yet. Returns 0 or the system's error code.
int WriteJournalEntry(OriginalsStore& store, JournalEntry& entry);
// Takes a written entry out of the journal.
int RemoveJournalEntry(OriginalsStore& store, const JournalEntry& entry);
// Every entry, oldest first. An entry that cannot be read is left out.
std::vector<JournalEntry> ReadJournal(const OriginalsStore& store);

// The time now, as entries keep it.
std::string JournalTimeNow();

}  // namespace sonatrix
