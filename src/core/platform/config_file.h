// SPDX-License-Identifier: GPL-3.0-or-later
// One key of a user's own config file (GTK's settings.ini, KDE's kdeglobals
// or a program's notifyrc), changed the way the user's own tools change it:
// the file is read and written whole, through a link to the file it names,
// keeping that file's mode and owner, and only the bytes of the one value
// change. KDE's files are edited under KConfig's lock, and a key the
// administrator locked ("[$i]") is never written.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sonatrix {

class FileSystem;

// A setting the administrator locked: not a system's error code.
inline constexpr int kLockedByAdministrator = -2;
inline constexpr const char* kLockedByAdministratorText = "不能更改：系统管理员锁定了这项设置。";

// The text for an error of changing a setting: the system's, or the one above.
std::string SettingErrorText(int code);

struct ConfigKey {
    std::string path;  // the file as the user names it
    std::string group;
    std::string key;
    // KDE's file: edited under KConfig's lock, and also locked by a "[$i]"
    // in these files (the system's defaults an administrator locks).
    bool kconfig = false;
    std::vector<std::string> systemFiles;
};

// The whole file; nothing when there is none. Any error but "not there" is
// the read's error, never an absent file.
int ReadConfigFile(FileSystem& files, const std::string& path, std::optional<std::string>& bytes);

// The key's value in the file's bytes; nothing when the key or the file is
// absent.
std::optional<std::string> ConfigValueIn(const ConfigKey& key,
                                         const std::optional<std::string>& bytes);

// The file's bytes `now` with the key as it is in `from`: set to its value
// there, or removed (and its group too, when `from` has no such group).
// A file stays, even one left holding nothing.
std::optional<std::string> WithConfigValueOf(const ConfigKey& key,
                                             const std::optional<std::string>& now,
                                             const std::optional<std::string>& from);

// Sets the key to `value` (removes it for nothing) in the file as it is
// when the lock is held.
int SetConfigValue(FileSystem& files, const ConfigKey& key,
                   const std::optional<std::string>& value);

// Makes the file hold `bytes` (removes it for nothing). `read`: what the
// file held when `bytes` were made from it; should another writer have
// changed it since, only the key's value is carried into what is there
// now, so that the other write stays. Returns 0, kLockedByAdministrator, or
// the system's error code.
int WriteConfigFile(FileSystem& files, const ConfigKey& key,
                    const std::optional<std::string>& bytes,
                    const std::optional<std::optional<std::string>>& read);

}  // namespace sonatrix
