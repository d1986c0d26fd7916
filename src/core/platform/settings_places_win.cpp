// SPDX-License-Identifier: GPL-3.0-or-later
#include <shlobj.h>
#include <windows.h>

#include <cstdlib>

#include "platform/settings_places.h"

namespace sonatrix {

SettingsPlaces UserSettingsPlaces() {
    SettingsPlaces places;
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK) {
        places.thunderbirdFolder = std::string(folder) + "\\Thunderbird\\";
        places.pidginFolder = std::string(folder) + "\\.purple\\";
    }
    if (const char* purpleHome = std::getenv("PURPLEHOME"); purpleHome && *purpleHome)
        places.pidginFolder = std::string(purpleHome) + "\\.purple\\";
    return places;
}

const char* PidginExecutableName() {
    return "pidgin.exe";
}

// Thunderbird holds "parent.lock" open, shared with no one, while it runs.
bool ThunderbirdProfileInUse(const std::string& profileFolder) {
    const std::string lock = profileFolder + "parent.lock";
    const HANDLE file = CreateFileA(lock.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace sonatrix
