// SPDX-License-Identifier: GPL-3.0-or-later
// The copy step that the batch operations share, and how a run's failures
// are worded.
#pragma once

#include <string>

namespace sonatrix {

class ChangeRun;
class Dialogs;
class TargetWrite;

// A run that changed files could not record all it did: it failed, and
// says so instead of being done. Followed by the system's text.
inline constexpr const char* kChangeNotRecorded = "更改未能完整记入撤销记录：";
// A file another program kept rewriting while it was being written.
inline constexpr const char* kKeptChanging = "在写入时一再被其他程序改动";

// Copies `source` over the file `name` of the run's folder, once what the
// file holds is kept; when either fails, shows an Error dialog with `label`
// followed directly by the failure's text. True when the copy succeeded.
bool CopyWithReport(ChangeRun& run, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label);
// The same for a command's writes into the target.
bool CopyWithReport(TargetWrite& write, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label);

// What a write's error says after the file's name.
std::string WriteFailureText(int error);

// Shows the error a run's end gave (`error` from Finish), when it gave one.
// True when it gave none: only then may the command say it is done.
bool FinishedWithReport(int error, Dialogs& dialogs);

}  // namespace sonatrix
