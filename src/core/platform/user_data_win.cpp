// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/user_data.h"

#include <shlobj.h>
#include <windows.h>

namespace sonatrix {

std::string UserDataFolder() {
    // The narrow form, in the ANSI code page like every other path here.
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return std::string(folder) + "\\Sonatrix\\";
}

}  // namespace sonatrix
