// SPDX-License-Identifier: GPL-3.0-or-later
// Processes from /proc: the numeric entries in directory order; a process's
// modules are the target of /proc/PID/exe followed by each distinct file
// mapped in /proc/PID/maps. A Windows program under Wine shows its .exe
// only in maps (exe is the Wine loader), often without an executable
// mapping, so maps lines are never filtered on their permissions.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <unordered_set>

#include "platform/maps_line.h"
#include "platform/processes.h"

namespace sonatrix {
namespace {

// Another user's process refuses both files (EACCES); a process that has
// ended has neither. Either way it simply has no modules.
bool ReadProcFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return ok;
}

// The executable's path as maps would show it, so that the two agree and
// the same file is listed once.
bool ReadExeLink(const std::string& procDir, std::string& exe) {
    std::string target(PATH_MAX, '\0');
    for (;;) {
        const ssize_t length = ::readlink((procDir + "/exe").c_str(), target.data(), target.size());
        if (length <= 0)
            return false;
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            break;
        }
        target.resize(target.size() * 2);
    }
    exe.clear();
    for (char c : target) {
        if (c == '\n')
            exe += "\\012";
        else
            exe += c;
    }
    constexpr std::string_view kDeleted = " (deleted)";
    if (exe.ends_with(kDeleted))
        exe.resize(exe.size() - kDeleted.size());
    return !exe.empty();
}

void ReadModules(const std::string& procDir, std::string& maps, std::vector<std::string>& modules) {
    std::unordered_set<std::string_view> seen;
    std::string exe;
    const bool haveExe = ReadExeLink(procDir, exe);
    if (!ReadProcFile(procDir + "/maps", maps))
        maps.clear();
    // The views point into `maps`, which stays as it is until the next process.
    std::string_view previous;
    std::vector<std::string_view> found;
    std::size_t start = 0;
    while (start < maps.size()) {
        std::size_t end = maps.find('\n', start);
        if (end == std::string::npos)
            end = maps.size();
        if (auto path = MappedFilePathIn(std::string_view(maps).substr(start, end - start))) {
            // A file's mappings mostly stand together: skip those cheaply.
            if (*path != previous && *path != exe && seen.insert(*path).second)
                found.push_back(*path);
            previous = *path;
        }
        start = end + 1;
    }
    modules.reserve(found.size() + 1);
    if (haveExe)
        modules.push_back(std::move(exe));
    for (std::string_view path : found)
        modules.emplace_back(path);
}

// A /proc entry that names a process: digits only, within the id range.
bool ParsePid(const char* name, std::int32_t& pid) {
    if (!*name)
        return false;
    std::int64_t value = 0;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        value = value * 10 + (*c - '0');
        if (value > INT32_MAX)
            return false;
    }
    pid = static_cast<std::int32_t>(value);
    return true;
}

class ProcFsProcesses : public ProcessSource {
  public:
    bool Snapshot(std::vector<ProcessEntry>& out) override {
        out.clear();
        DIR* proc = ::opendir("/proc");
        if (!proc)
            return false;
        // The ids first, as one point-in-time list; then each one's modules.
        std::vector<std::int32_t> pids;
        while (dirent* entry = ::readdir(proc)) {
            std::int32_t pid = 0;
            if (ParsePid(entry->d_name, pid))
                pids.push_back(pid);
        }
        ::closedir(proc);
        out.reserve(pids.size());
        std::string maps;  // one buffer for every process's maps
        for (std::int32_t pid : pids) {
            ProcessEntry process;
            process.pid = pid;
            ReadModules("/proc/" + std::to_string(pid), maps, process.modules);
            out.push_back(std::move(process));
        }
        return true;
    }
};

}  // namespace

std::unique_ptr<ProcessSource> MakeNativeProcessSource() {
    return std::make_unique<ProcFsProcesses>();
}

}  // namespace sonatrix
