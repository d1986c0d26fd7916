// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/writable_folder.h"

#include <windows.h>

#include <atomic>

namespace sonatrix {

bool FolderIsWritable(const std::string& folder) {
    if (folder.empty())
        return false;
    // A folder's read-only attribute says nothing on Windows and its access
    // list is hard to evaluate: creating a file is the one reliable answer.
    // The file goes away with its handle.
    static std::atomic<unsigned> counter{0};
    std::string probe = folder;
    if (probe.back() != '\\' && probe.back() != '/')
        probe += '\\';
    probe += ".sonatrix-probe-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter) + ".tmp";
    const HANDLE file = CreateFileA(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace sonatrix
