// Which change undo takes back, and which of its files something else has
// changed since.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "originals/journal.h"

namespace sonatrix {

class OriginalsStore;

struct UndoPlan {
    JournalEntry entry;
    // Files that still hold what the entry wrote.
    std::vector<FileChange> plain;
    // Files whose bytes are no longer the entry's after-bytes (or cannot be
    // read): something else changed them since.
    std::vector<FileChange> changedSince;
};

// The journal's latest entry not yet undone that has something left to
// undo (an entry whose files all hold their before-bytes again is passed
// over); nothing when there is none.
std::optional<UndoPlan> PlanUndo(const OriginalsStore& store);

// Puts back the before-bytes of `files` in the entry's folder. Returns the
// files that failed, each with its error.
std::vector<std::pair<std::string, int>> Revert(const OriginalsStore& store,
                                                const JournalEntry& entry,
                                                const std::vector<FileChange>& files);

// Marks the entry undone, so that the next undo goes one further back.
int MarkUndone(OriginalsStore& store, JournalEntry entry);

}  // namespace sonatrix
