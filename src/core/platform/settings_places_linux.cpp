// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/settings_places.h"

namespace sonatrix {
namespace {

std::string Home() {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) : std::string();
}

// An XDG base folder, with its trailing separator; relative values are
// ignored, as the XDG base directories say.
std::string XdgFolder(const char* variable, const char* belowHome) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return std::string(value) + "/";
    const std::string home = Home();
    return home.empty() ? std::string() : home + belowHome;
}

bool ProcessExists(long pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// Mozilla's "lock" link names "<address>:+<pid>".
int LinkState(const std::string& link) {
    char target[256];
    const ssize_t size = ::readlink(link.c_str(), target, sizeof target - 1);
    if (size < 0)
        return errno == ENOENT || errno == EINVAL ? 0 : 1;
    const std::string_view text(target, std::size_t(size));
    const std::size_t plus = text.rfind(":+");
    if (plus == std::string_view::npos)
        return 1;
    long pid = 0;
    for (const char c : text.substr(plus + 2)) {
        if (c < '0' || c > '9' || pid > 100000000)
            return 1;
        pid = pid * 10 + (c - '0');
    }
    return ProcessExists(pid) ? 1 : 0;
}

// Thunderbird also holds ".parentlock" with an fcntl lock while it runs.
bool FcntlLockHeld(const std::string& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno != ENOENT;
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    const bool held = ::fcntl(fd, F_GETLK, &query) != 0 || query.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

}  // namespace

SettingsPlaces UserSettingsPlaces() {
    SettingsPlaces places;
    const std::string home = Home();
    if (!home.empty()) {
        places.thunderbirdFolder = home + "/.thunderbird/";
        places.pidginFolder = home + "/.purple/";
    }
    places.kdeConfigFolder = XdgFolder("XDG_CONFIG_HOME", "/.config/");
    if (std::string data = XdgFolder("XDG_DATA_HOME", "/.local/share/"); !data.empty())
        places.kdeDataFolders.push_back(std::move(data));
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string_view list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view folder = list.substr(0, colon);
        if (folder.starts_with('/'))
            places.kdeDataFolders.push_back(std::string(folder) + "/");
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
    return places;
}

const char* PidginExecutableName() {
    return "pidgin";
}

bool ThunderbirdProfileInUse(const std::string& profileFolder) {
    return LinkState(profileFolder + "lock") != 0 || FcntlLockHeld(profileFolder + ".parentlock");
}

}  // namespace sonatrix
