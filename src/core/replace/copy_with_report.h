// The copy step that the batch operations share.
#pragma once

#include <string>

namespace sonatrix {

class Dialogs;
class FileSystem;

// Copies `source` over `destination`; when that fails, shows an Error
// dialog with `label` followed directly by the system's text for the
// failure. True when the copy succeeded.
bool CopyWithReport(FileSystem& files, Dialogs& dialogs, const std::string& source,
                    const std::string& destination, const std::string& label);

}  // namespace sonatrix
