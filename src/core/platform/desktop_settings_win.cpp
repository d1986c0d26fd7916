// SPDX-License-Identifier: GPL-3.0-or-later
// The sound scheme's event values under HKEY_CURRENT_USER, read and written
// with their type, so that a value put back is the value that was there.
// Each setting is named by its key, "HKCU\AppEvents\...\.Current".
#include <windows.h>

#include "platform/desktop_settings.h"

namespace sonatrix {
namespace {

constexpr std::string_view kCurrentUser = "HKCU\\";
constexpr std::string_view kTextType = "REG_SZ ";
constexpr std::string_view kExpandableType = "REG_EXPAND_SZ ";

// Paths and values are in the ANSI code page, as every narrow path here.
std::wstring Wide(std::string_view text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}

// The key below HKEY_CURRENT_USER that `setting` names.
std::wstring KeyOf(const std::string& setting) {
    return Wide(std::string_view(setting).substr(kCurrentUser.size()));
}

HKEY OpenKey(const std::string& setting, REGSAM access, LONG& status) {
    HKEY handle = nullptr;
    status = RegOpenKeyExW(HKEY_CURRENT_USER, KeyOf(setting).c_str(), 0, access, &handle);
    return status == ERROR_SUCCESS ? handle : nullptr;
}

bool KeyExists(const std::string& setting) {
    LONG status = 0;
    HKEY handle = OpenKey(setting, KEY_READ, status);
    if (handle)
        RegCloseKey(handle);
    return handle != nullptr;
}

bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string EventKey(std::string_view event) {
    return std::string(kCurrentUser) + "AppEvents\\Schemes\\Apps\\.Default\\" + std::string(event) +
           "\\";
}

}  // namespace

std::vector<std::string> SoundThemeSettings() {
    return {};
}

bool IsDesktopSetting(std::string_view name) {
    // A file's name has no separator.
    return name.starts_with(kCurrentUser);
}

int ReadDesktopSetting(const std::string& setting, std::optional<std::string>& value) {
    value.reset();
    if (!IsDesktopSetting(setting))
        return ERROR_FILE_NOT_FOUND;
    LONG status = 0;
    HKEY handle = OpenKey(setting, KEY_READ, status);
    if (status == ERROR_FILE_NOT_FOUND)
        return 0;  // no key: the value is unset
    if (!handle)
        return int(status);
    DWORD type = 0;
    DWORD size = 0;
    status = RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &size);
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (status == ERROR_SUCCESS)
        status = RegQueryValueExW(handle, nullptr, nullptr, &type,
                                  reinterpret_cast<BYTE*>(text.data()), &size);
    RegCloseKey(handle);
    if (status == ERROR_FILE_NOT_FOUND)
        return 0;
    if (status != ERROR_SUCCESS)
        return int(status);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    value = std::string(type == REG_EXPAND_SZ ? kExpandableType : kTextType) + Narrow(text);
    return 0;
}

int WriteDesktopSetting(const std::string& setting, const std::optional<std::string>& value) {
    if (!IsDesktopSetting(setting))
        return ERROR_FILE_NOT_FOUND;
    if (!value) {
        LONG status = 0;
        HKEY handle = OpenKey(setting, KEY_SET_VALUE, status);
        if (status == ERROR_FILE_NOT_FOUND)
            return 0;
        if (!handle)
            return int(status);
        status = RegDeleteValueW(handle, nullptr);
        RegCloseKey(handle);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : int(status);
    }
    DWORD type = REG_SZ;
    std::string_view text = *value;
    if (text.starts_with(kExpandableType)) {
        type = REG_EXPAND_SZ;
        text.remove_prefix(kExpandableType.size());
    } else if (text.starts_with(kTextType)) {
        text.remove_prefix(kTextType.size());
    } else {
        return ERROR_INVALID_DATA;
    }
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyOf(setting).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS)
        return int(status);
    const std::wstring wide = Wide(text);
    status = RegSetValueExW(handle, nullptr, 0, type, reinterpret_cast<const BYTE*>(wide.c_str()),
                            DWORD((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return int(status);
}

std::vector<std::string> DesktopSettingFolders() {
    return {};
}

bool EventSoundsOff() {
    return false;
}

std::vector<std::string> EventFileSettings(std::string_view event) {
    std::vector<std::string> settings;
    const std::string schemeDefault = EventKey(event) + ".Default";
    if (RunsUnderWine() && KeyExists(schemeDefault))
        settings.push_back(schemeDefault);
    settings.push_back(EventKey(event) + ".Current");
    return settings;
}

std::string SettingValueOfFile(const std::string& path) {
    return std::string(kTextType) + path;
}

std::string FileOfSettingValue(const std::string& value) {
    std::string_view text = value;
    if (text.starts_with(kTextType))
        return std::string(text.substr(kTextType.size()));
    if (!text.starts_with(kExpandableType))
        return {};
    const std::string variables(text.substr(kExpandableType.size()));
    const DWORD size = ExpandEnvironmentStringsA(variables.c_str(), nullptr, 0);
    std::string expanded(size, '\0');
    if (size == 0 || ExpandEnvironmentStringsA(variables.c_str(), expanded.data(), size) == 0)
        return variables;
    expanded.resize(size - 1);
    return expanded;
}

std::string FileDesktopPlays(FileSystem&, std::string_view event) {
    std::optional<std::string> value;
    if (ReadDesktopSetting(EventFileSettings(event).front(), value) != 0 || !value)
        return {};
    return FileOfSettingValue(*value);
}

std::string DesktopSoundFolder(const std::string& dataFolder) {
    return dataFolder.empty() ? std::string() : dataFolder + "系统声音\\";
}

std::vector<std::string> SoundThemeRoots() {
    return {};
}

}  // namespace sonatrix
