// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <cerrno>
#include <cstdio>

#include "library/part_files.h"

namespace sonatrix {

// NTFS journals the rename itself: only the bytes need flushing first.
int MovePartIntoPlace(const std::string& part, const std::string& finalPath) {
    const HANDLE file = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? ENOENT : EACCES;
    const bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    if (!flushed)
        return EIO;
    errno = 0;
    if (std::rename(part.c_str(), finalPath.c_str()) != 0)
        return errno != 0 ? errno : EIO;
    return 0;
}

}  // namespace sonatrix
