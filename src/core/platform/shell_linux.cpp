// SPDX-License-Identifier: GPL-3.0-or-later
// Other programs are started through a short-lived shell that puts them in
// the background and exits at once: we wait for the shell only, and the
// program it started is adopted by init, so no zombie is left behind and
// the window never waits for a browser.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/shell.h"

extern char** environ;

namespace sonatrix {
namespace {

// Starts `command` (a program and its arguments) detached, its output
// discarded. True when the shell that starts it ran and exited normally.
bool StartDetached(const std::vector<std::string>& command) {
    std::vector<std::string> words = {"sh", "-c", "\"$@\" </dev/null >/dev/null 2>&1 &", "sh"};
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// True when `name` is an executable file in one of $PATH's folders.
bool OnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path)
        return false;
    const std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (folder.empty())
            folder = ".";
        const std::string candidate = folder + "/" + name;
        struct stat info;
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

class XdgShell : public Shell {
  public:
    void OpenWithDefaultHandler(const std::string& address) override {
        StartDetached({"xdg-open", address});
    }

    void StartBrowser(const std::string& argument) override {
        // xdg-open hands an address to the user's browser and a page file
        // to whatever shows pages.
        StartDetached({"xdg-open", argument});
    }

    bool StartRecordingSourceSettings() override {
        if (OnPath("pavucontrol"))
            return StartDetached({"pavucontrol", "--tab=4"});  // the input devices
        if (OnPath("gnome-control-center"))
            return StartDetached({"gnome-control-center", "sound"});
        return false;
    }
};

}  // namespace

std::unique_ptr<Shell> MakeNativeShell() {
    return std::make_unique<XdgShell>();
}

}  // namespace sonatrix
