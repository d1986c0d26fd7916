// SPDX-License-Identifier: GPL-3.0-or-later
// Putting contents back into a client's files only while they hold what
// the user agreed to write over (undo, redo, restoring originals). A file
// that changed since is not written over unasked: what it holds now is
// kept, and the user is asked about it as about files changed since.
#pragma once

#include <string>
#include <vector>

namespace sonatrix {

class ChangeRun;
class Dialogs;

// The failure of a file that changed again after the user was asked.
inline constexpr const char* kChangedWhileAsked = "在询问之后又被改动过";

struct PutBackItem {
    std::string name;
    std::string content;   // what it is to hold, as the store names contents
    std::string expected;  // what it must still hold for that
};

// Puts each item back through `run`. Those that changed meanwhile are
// listed under `question`, each on a line of its own, and put back too
// when the user confirms, while they still hold what they held then.
// Returns the failures, a line each: the name, then the reason.
std::string PutBackAsking(ChangeRun& run, Dialogs& dialogs, const std::vector<PutBackItem>& items,
                          const std::string& question);

}  // namespace sonatrix
