// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/writable_folder.h"

#include <unistd.h>

namespace sonatrix {

bool FolderIsWritable(const std::string& folder) {
    // access() answers for a read-only mount too (EROFS), also for root, and
    // writes nothing.
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace sonatrix
