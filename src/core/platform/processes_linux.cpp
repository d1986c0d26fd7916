// Processes from /proc: the numeric entries in directory order; a process's
// modules are the target of /proc/PID/exe followed by each distinct file
// mapped in /proc/PID/maps. A Windows program under Wine shows its .exe
// only in maps (exe is the Wine loader), often without an executable
// mapping, so maps lines are never filtered on their permissions.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <unordered_set>

#include "platform/maps_line.h"
#include "platform/processes.h"

namespace sonatrix {
namespace {

bool ReadSmallFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

void ReadModules(const std::string& procDir, std::vector<std::string>& modules) {
    std::unordered_set<std::string> seen;
    char target[PATH_MAX];
    const ssize_t length = ::readlink((procDir + "/exe").c_str(), target, sizeof target - 1);
    if (length > 0) {
        std::string exe(target, static_cast<std::size_t>(length));
        constexpr std::string_view kDeleted = " (deleted)";
        if (exe.ends_with(kDeleted))
            exe.resize(exe.size() - kDeleted.size());
        seen.insert(exe);
        modules.push_back(std::move(exe));
    }
    std::string maps;
    if (!ReadSmallFile(procDir + "/maps", maps))
        return;
    std::size_t start = 0;
    while (start < maps.size()) {
        std::size_t end = maps.find('\n', start);
        if (end == std::string::npos)
            end = maps.size();
        if (auto path = MappedFilePath(std::string_view(maps).substr(start, end - start))) {
            if (seen.insert(*path).second)
                modules.push_back(std::move(*path));
        }
        start = end + 1;
    }
}

class ProcFsProcesses : public ProcessSource {
public:
    bool Snapshot(std::vector<ProcessEntry>& out) override {
        out.clear();
        DIR* proc = ::opendir("/proc");
        if (!proc)
            return false;
        std::vector<std::int32_t> pids;
        while (dirent* entry = ::readdir(proc)) {
            const char* name = entry->d_name;
            if (!*name || !std::all_of(name, name + strlen(name),
                                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
                continue;
            pids.push_back(static_cast<std::int32_t>(std::strtol(name, nullptr, 10)));
        }
        ::closedir(proc);
        out.reserve(pids.size());
        for (std::int32_t pid : pids) {
            ProcessEntry process;
            process.pid = pid;
            // Another user's process refuses exe and maps: it has no modules.
            ReadModules("/proc/" + std::to_string(pid), process.modules);
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
