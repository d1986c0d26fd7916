// SPDX-License-Identifier: GPL-3.0-or-later
// Which entry undo (or redo) takes back next, and which of its files
// something else has changed since.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "originals/journal.h"

namespace sonatrix {

class OriginalsStore;

struct PlannedFile {
    FileChange change;
    std::string now;  // what the file held when planned; empty when it could not be read
};

struct TakeBackPlan {
    JournalEntry entry;  // its header alone when it cannot be read
    // The entry cannot be read, or is damaged: nothing of it can be taken
    // back, and it is named to the user (the error says why).
    int damaged = 0;
    // The entry's folder is gone: nothing of it can be taken back.
    bool folderGone = false;
    // Files that still hold what the entry wrote.
    std::vector<PlannedFile> plain;
    // Files whose bytes are no longer the entry's after-bytes (or cannot be
    // read): something else changed them since.
    std::vector<PlannedFile> changedSince;
};

// The latest change (or redo) not yet undone that has something left to
// undo; an entry whose files all hold their before-bytes again is passed
// over. Nothing when there is none. Returns 0, or the error that kept the
// journal from being listed.
int PlanUndo(const OriginalsStore& store, std::optional<TakeBackPlan>& plan);
// The latest undo not yet taken back, until a change is made after it.
int PlanRedo(const OriginalsStore& store, std::optional<TakeBackPlan>& plan);

// Records that undo and redo pass over `entry` from now on. Returns 0 or
// the system's error code.
int SkipEntry(OriginalsStore& store, const JournalEntry& entry);

}  // namespace sonatrix
