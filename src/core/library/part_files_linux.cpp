// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "library/part_files.h"
#include "platform/path_pieces.h"

namespace sonatrix {

int MovePartIntoPlace(const std::string& part, const std::string& finalPath) {
    const int file = ::open(part.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return errno;
    int error = ::fsync(file) == 0 ? 0 : errno;
    ::close(file);
    if (error == 0 && std::rename(part.c_str(), finalPath.c_str()) != 0)
        error = errno;
    if (error != 0)
        return error;
    // The file is whole under its name now: a folder that cannot be synced
    // is left as the system keeps it.
    const std::string folder = FolderPart(finalPath);
    const int entries =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (entries >= 0) {
        (void)::fsync(entries);
        ::close(entries);
    }
    return 0;
}

}  // namespace sonatrix
