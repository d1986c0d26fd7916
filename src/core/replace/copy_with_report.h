// SPDX-License-Identifier: GPL-3.0-or-later
// The copy step that the batch operations share.
#pragma once

#include <string>

namespace sonatrix {

class ChangeRun;
class Dialogs;
class TargetWrite;

// Copies `source` over the file `name` of the run's folder, once what the
// file holds is kept; when either fails, shows an Error dialog with `label`
// followed directly by the system's text for the failure. True when the
// copy succeeded.
bool CopyWithReport(ChangeRun& run, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label);
// The same for a command's writes into the target.
bool CopyWithReport(TargetWrite& write, Dialogs& dialogs, const std::string& source,
                    const std::string& name, const std::string& label);

}  // namespace sonatrix
