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

// Paths and values are in the ANSI code page, as every narrow path here. A
// text that does not convert both ways unchanged is refused: written, it
// would name another file, or U+FFFD.
int Wide(std::string_view text, std::wstring& wide) {
    wide.clear();
    if (text.empty())
        return 0;
    const int size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                         int(text.size()), nullptr, 0);
    if (size <= 0)
        return ERROR_NO_UNICODE_TRANSLATION;
    wide.assign(size, L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), wide.data(),
                        size);
    return 0;
}

int Narrow(std::wstring_view wide, std::string& text) {
    text.clear();
    if (wide.empty())
        return 0;
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                         int(wide.size()), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return ERROR_NO_UNICODE_TRANSLATION;
    text.assign(size, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), text.data(),
                        size, nullptr, nullptr);
    return 0;
}

// The text `text` as the registry keeps it, refused unless it comes back
// from there the same.
int RoundTripWide(std::string_view text, std::wstring& wide) {
    if (const int error = Wide(text, wide))
        return error;
    std::string back;
    return Narrow(wide, back) != 0 || back != text ? ERROR_NO_UNICODE_TRANSLATION : 0;
}

// The key below HKEY_CURRENT_USER that `setting` names.
std::wstring KeyOf(const std::string& setting) {
    std::wstring key;
    // A key's name came from the event table or a store of ours: it converts.
    Wide(std::string_view(setting).substr(kCurrentUser.size()), key);
    return key;
}

HKEY OpenKey(const std::string& setting, REGSAM access, LONG& status) {
    HKEY handle = nullptr;
    status = RegOpenKeyExW(HKEY_CURRENT_USER, KeyOf(setting).c_str(), 0, access, &handle);
    return status == ERROR_SUCCESS ? handle : nullptr;
}

// Removes the key of `setting` when nothing is left in it: no value, no
// key below (a key Sonatrix made to name a sound goes with that value).
int RemoveKeyIfEmpty(const std::string& setting) {
    LONG status = 0;
    HKEY handle = OpenKey(setting, KEY_READ, status);
    if (!handle)
        return status == ERROR_FILE_NOT_FOUND ? 0 : int(status);
    DWORD subkeys = 0;
    DWORD values = 0;
    status = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                              &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return int(status);
    if (subkeys != 0 || values != 0)
        return 0;
    status = RegDeleteKeyW(HKEY_CURRENT_USER, KeyOf(setting).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : int(status);
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
    if (status == ERROR_FILE_NOT_FOUND) {
        value = std::string();  // a key without a value
        return 0;
    }
    if (status != ERROR_SUCCESS)
        return int(status);
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    std::string narrow;
    if (const int error = Narrow(text, narrow))
        return error;
    value = std::string(type == REG_EXPAND_SZ ? kExpandableType : kTextType) + narrow;
    return 0;
}

// The value of `setting` taken away; the key too when it is left empty
// and `withKey`.
int DeleteValue(const std::string& setting, bool withKey) {
    LONG status = 0;
    HKEY handle = OpenKey(setting, KEY_SET_VALUE, status);
    if (status == ERROR_FILE_NOT_FOUND)
        return 0;
    if (!handle)
        return int(status);
    status = RegDeleteValueW(handle, nullptr);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return int(status);
    return withKey ? RemoveKeyIfEmpty(setting) : 0;
}

int WriteDesktopSetting(const std::string& setting, const std::optional<std::string>& value,
                        const std::optional<std::optional<std::string>>&) {
    if (!IsDesktopSetting(setting))
        return ERROR_FILE_NOT_FOUND;
    if (!value)
        return DeleteValue(setting, true);
    DWORD type = REG_SZ;
    std::string_view text = *value;
    if (text.starts_with(kExpandableType)) {
        type = REG_EXPAND_SZ;
        text.remove_prefix(kExpandableType.size());
    } else if (text.starts_with(kTextType)) {
        text.remove_prefix(kTextType.size());
    } else if (!text.empty()) {
        return ERROR_INVALID_DATA;
    }
    std::wstring wide;
    if (const int error = RoundTripWide(text, wide))
        return error;
    HKEY handle = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, KeyOf(setting).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS)
        return int(status);
    RegCloseKey(handle);
    if (value->empty())
        return DeleteValue(setting, false);  // a key without a value, as it was
    handle = OpenKey(setting, KEY_SET_VALUE, status);
    if (!handle)
        return int(status);
    status = RegSetValueExW(handle, nullptr, 0, type, reinterpret_cast<const BYTE*>(wide.c_str()),
                            DWORD((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return int(status);
}

std::optional<std::string> ChoiceInSetting(const std::string&,
                                           const std::optional<std::string>& value) {
    return value;
}

std::optional<std::string> WithChoice(const std::string&, const std::optional<std::string>&,
                                      const std::optional<std::string>& choice) {
    return choice;
}

std::optional<std::string> WithChoiceOf(const std::string&, const std::optional<std::string>&,
                                        const std::optional<std::string>& from) {
    return from;
}

int ReadEffectiveSoundThemes(std::vector<std::string>& themes) {
    themes.clear();
    return 0;
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
