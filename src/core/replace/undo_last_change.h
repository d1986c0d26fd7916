// Taking back the latest change not yet undone ("撤销上次更改", Ctrl+Z).
#pragma once

namespace sonatrix {

class MainModel;

inline constexpr const char* kUndoLastChangeCaption = "撤销上次更改";

// Asks, then gives the files of the journal's latest entry not yet undone
// the bytes they held before it; a file changed since by something else
// only when the user confirms that too. Each undo goes one entry further
// back.
void UndoLastChangeClick(MainModel& model);

}  // namespace sonatrix
