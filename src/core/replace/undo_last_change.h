// SPDX-License-Identifier: GPL-3.0-or-later
// Taking back the latest change not yet undone ("撤销上次更改", Ctrl+Z), and
// the latest undo ("重做", Ctrl+Y). Each is a change like any other: what
// it overwrites is kept, and it is itself an entry of the journal.
#pragma once

namespace sonatrix {

class MainModel;

inline constexpr const char* kUndoLastChangeCaption = "撤销上次更改";
inline constexpr const char* kRedoCaption = "重做";
// How the journal names an undo of the change "X": "撤销：X".
inline constexpr const char* kUndoEntryPrefix = "撤销：";

// Asks, then gives the files of the latest change not yet undone the bytes
// they held before it; a file changed since by something else only when the
// user confirms that too. Each undo goes one change further back; a change
// that cannot be undone (its folder is gone, or the user declines) can be
// skipped.
void UndoLastChangeClick(MainModel& model);

// Takes back the latest undo: every file it wrote gets the bytes it held
// just before that undo. Offered until a new change is made.
void RedoClick(MainModel& model);

}  // namespace sonatrix
