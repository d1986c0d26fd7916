// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/config_file.h"

#include <functional>
#include <memory>

#include "platform/files.h"
#include "platform/ini_text.h"
#include "platform/kconfig_lock.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

// KConfig holds its lock for one write; a lock held longer than this is a
// program that hangs, and the change is reported as failed.
constexpr int kKConfigLockWaitMs = 5000;

bool IsLocked(FileSystem& files, const ConfigKey& key, const std::optional<std::string>& now) {
    if (now && IniKeyLocked(*now, key.group, key.key))
        return true;
    for (const std::string& system : key.systemFiles) {
        std::optional<std::string> text;
        if (ReadConfigFile(files, system, text) == 0 && text &&
            IniKeyLocked(*text, key.group, key.key))
            return true;
    }
    return false;
}

// Gives the file what `change` makes of what it holds now, the lock held.
int Edit(
    FileSystem& files, const ConfigKey& key,
    const std::function<std::optional<std::string>(const std::optional<std::string>&)>& change) {
    // The lock lies beside the file, in a folder that may not exist yet:
    // made only for a file to write.
    const std::string folder = FolderPart(key.path);
    if (!folder.empty() && !files.FolderExists(folder)) {
        if (!change(std::nullopt))
            return 0;
        if (const int error = files.CreateFolder(folder); error != 0 && !files.FolderExists(folder))
            return error;
    }
    std::unique_ptr<HeldLock> lock;
    if (key.kconfig) {
        if (const int error = LockKConfigFile(key.path, kKConfigLockWaitMs, lock))
            return error;
    }
    std::optional<std::string> now;
    if (const int error = ReadConfigFile(files, key.path, now))
        return error;
    const std::optional<std::string> bytes = change(now);
    if (bytes == now)
        return 0;
    // Never a line beside the administrator's: KConfig would read theirs.
    if (ConfigValueIn(key, bytes) != ConfigValueIn(key, now) && IsLocked(files, key, now))
        return kLockedByAdministrator;
    if (!bytes)
        return files.DeleteFile(key.path);
    return files.RewriteFile(key.path, *bytes);
}

}  // namespace

std::string SettingErrorText(int code) {
    return code == kLockedByAdministrator ? kLockedByAdministratorText : SystemErrorText(code);
}

int ReadConfigFile(FileSystem& files, const std::string& path, std::optional<std::string>& bytes) {
    bytes.reset();
    std::string text;
    const int error = files.ReadWholeFile(path, text);
    if (error == FileNotFoundCode() || error == PathNotFoundCode())
        return 0;
    if (error != 0)
        return error;
    bytes = std::move(text);
    return 0;
}

std::optional<std::string> ConfigValueIn(const ConfigKey& key,
                                         const std::optional<std::string>& bytes) {
    return bytes ? IniValue(*bytes, key.group, key.key) : std::nullopt;
}

std::optional<std::string> WithConfigValueOf(const ConfigKey& key,
                                             const std::optional<std::string>& now,
                                             const std::optional<std::string>& from) {
    const std::optional<std::string> value = ConfigValueIn(key, from);
    if (!now && !value)
        return now;
    const bool groupOfOurs = !from || !IniHasGroup(*from, key.group);
    return WithIniValue(now.value_or(""), key.group, key.key, value, groupOfOurs);
}

int SetConfigValue(FileSystem& files, const ConfigKey& key,
                   const std::optional<std::string>& value) {
    return Edit(files, key, [&](const std::optional<std::string>& now) {
        if (!now && !value)
            return now;
        return std::optional<std::string>(
            WithIniValue(now.value_or(""), key.group, key.key, value));
    });
}

int WriteConfigFile(FileSystem& files, const ConfigKey& key,
                    const std::optional<std::string>& bytes,
                    const std::optional<std::optional<std::string>>& read) {
    return Edit(files, key, [&](const std::optional<std::string>& now) {
        return !read || now == *read ? bytes : WithConfigValueOf(key, now, bytes);
    });
}

}  // namespace sonatrix
