// SPDX-License-Identifier: GPL-3.0-or-later
// Processes from /proc: the numeric entries in directory order; a process's
// modules are the distinct files mapped in /proc/PID/maps, the executable
// first. A Windows program under Wine shows its .exe only in maps (its exe
// link is the Wine loader), often without an executable mapping, so maps
// lines are never filtered on their permissions.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <unordered_set>

#include "platform/maps_line.h"
#include "platform/processes.h"

namespace sonatrix {
namespace {

// Another user's process refuses its maps (EACCES); a process that has
// ended has none. Either way it simply has no modules. Read straight into
// `buffer`, which only grows, so that a tick copies and clears nothing;
// returns the size read.
std::size_t ReadProcFile(const std::string& path, std::vector<char>& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    constexpr std::size_t kChunk = 1 << 16;
    std::size_t size = 0;
    for (;;) {
        if (buffer.size() < size + kChunk)
            buffer.resize(size + kChunk);
        const ssize_t got = ::read(fd, buffer.data() + size, kChunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            size = 0;
        if (got <= 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return size;
}

// The distinct files `procDir`'s maps names, in address order: the
// executable first (the kernel maps it below its libraries), then its
// libraries and, for a Windows program under Wine, its .exe and .dll
// images. The exe link is not read besides: the executable is among the
// maps, and one readlink more per process was a good part of a poll tick.
void ReadModules(const std::string& procDir, std::vector<char>& buffer,
                 std::vector<std::string>& modules) {
    // The views point into `buffer`, which stays as it is until the next process.
    const std::size_t size = ReadProcFile(procDir + "/maps", buffer);
    const std::string_view maps(buffer.data(), size);
    std::unordered_set<std::string_view> seen;
    std::string_view previous;
    std::size_t start = 0;
    while (start < maps.size()) {
        std::size_t end = maps.find('\n', start);
        if (end == std::string::npos)
            end = maps.size();
        const std::string_view line = maps.substr(start, end - start);
        // Anonymous memory, most lines, names no file: no '/' at all.
        if (line.find('/') == std::string_view::npos) {
            start = end + 1;
            continue;
        }
        if (auto path = MappedFilePathIn(line)) {
            // A file's mappings mostly stand together: skip those cheaply.
            if (*path != previous && seen.insert(*path).second)
                modules.emplace_back(*path);
            previous = *path;
        }
        start = end + 1;
    }
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
        std::vector<char> maps;  // one buffer for every process's maps
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
