// SPDX-License-Identifier: GPL-3.0-or-later
// What undo and redo would take next, followed from the journal's headers:
// a change goes on the undo stack and empties the redo stack; an undo takes
// its entry off the undo stack and goes on the redo stack; a redo takes its
// undo off the redo stack and goes on the undo stack; a skip takes its entry
// off either.
#pragma once

#include <vector>

#include "originals/journal.h"

namespace sonatrix {

struct JournalStacks {
    std::vector<EntryHeader> undo;  // the latest at the back
    std::vector<EntryHeader> redo;
};

// `headers` oldest first, as JournalHeaders gives them.
JournalStacks ReplayJournal(const std::vector<EntryHeader>& headers);

}  // namespace sonatrix
