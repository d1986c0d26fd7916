// SPDX-License-Identifier: GPL-3.0-or-later
// QLockFile's protocol on Unix, as KConfig uses it: the lock is a file made
// with O_EXCL beside the config file (its links resolved, as KConfig names
// it), holding the holder's process id, program name, host name, machine
// id and boot id a line each, and flock()ed while held. A holder that no
// longer runs, or a lock older than 30 seconds, is stale; a stale lock is
// removed under the lock "<lock>.rmlock", so that two takers never both
// remove one.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/kconfig_lock.h"
#include "platform/path_pieces.h"

namespace sonatrix {
namespace {

constexpr auto kStaleAfter = std::chrono::seconds(30);

// The first line of a small system file, blanks trimmed; empty without one.
std::string FirstLine(const char* path) {
    std::string line;
    if (std::FILE* file = std::fopen(path, "re")) {
        for (int c; (c = std::fgetc(file)) != EOF && c != '\n';)
            line += static_cast<char>(c);
        std::fclose(file);
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t'))
        line.pop_back();
    return line;
}

std::string MachineId() {
    const std::string id = FirstLine("/etc/machine-id");
    return id.empty() ? FirstLine("/var/lib/dbus/machine-id") : id;
}

std::string BootId() {
    return FirstLine("/proc/sys/kernel/random/boot_id");
}

std::string HostName() {
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

// The file name of the program `pid` runs, as Qt compares it; empty when
// it cannot be told.
std::string ProgramOf(pid_t pid) {
    std::string target(4096, '\0');
    const std::string exe = "/proc/" + std::to_string(pid) + "/exe";
    const ssize_t got = ::readlink(exe.c_str(), target.data(), target.size());
    if (got <= 0)
        return {};
    target.resize(static_cast<std::size_t>(got));
    constexpr std::string_view kDeleted = " (deleted)";
    if (target.ends_with(kDeleted))
        target.resize(target.size() - kDeleted.size());
    return FileNameOf(target);
}

std::string LockContents() {
    const pid_t pid = ::getpid();
    return std::to_string(pid) + "\n" + ProgramOf(pid) + "\n" + HostName() + "\n" + MachineId() +
           "\n" + BootId() + "\n";
}

struct Holder {
    long long pid = 0;
    std::string program, host, machine, boot;
};

bool ReadHolder(const std::string& lock, Holder& holder) {
    std::FILE* file = std::fopen(lock.c_str(), "re");
    if (!file)
        return false;
    std::vector<std::string> lines(5);
    std::size_t at = 0;
    for (int c; at < lines.size() && (c = std::fgetc(file)) != EOF;) {
        if (c == '\n')
            ++at;
        else
            lines[at] += static_cast<char>(c);
    }
    std::fclose(file);
    char* end = nullptr;
    holder.pid = std::strtoll(lines[0].c_str(), &end, 10);
    holder.program = lines[1];
    holder.host = lines[2];
    holder.machine = lines[3];
    holder.boot = lines[4];
    return !lines[0].empty() && *end == '\0' && holder.pid > 0;
}

// As QLockFile judges a lock it cannot take.
bool IsStale(const std::string& lock) {
    Holder holder;
    if (ReadHolder(lock, holder)) {
        bool sameHost = holder.host.empty() || holder.host == HostName();
        if (const std::string machine = MachineId(); !holder.machine.empty() && !machine.empty())
            sameHost = holder.machine == machine;
        if (sameHost) {
            if (!holder.boot.empty() && holder.boot != BootId())
                return true;
            const pid_t pid = static_cast<pid_t>(holder.pid);
            if (::kill(pid, 0) != 0 && errno == ESRCH)
                return true;
            const std::string program = ProgramOf(pid);
            if (!program.empty() && program != FileNameOf(holder.program))
                return true;  // the id was given to another program since
        }
    }
    struct stat info;
    if (::stat(lock.c_str(), &info) != 0)
        return false;
    const auto age =
        std::chrono::system_clock::now() - std::chrono::system_clock::from_time_t(info.st_mtime);
    return age > kStaleAfter || age < -kStaleAfter;
}

// Makes the lock file `lock`, or gives EEXIST while another holds it.
int TryMake(const std::string& lock, int& fd) {
    fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // Qt goes on without it too: the file itself is the lock.
    }
    const std::string contents = LockContents();
    if (::write(fd, contents.data(), contents.size()) != static_cast<ssize_t>(contents.size())) {
        const int error = errno != 0 ? errno : EIO;
        ::close(fd);
        ::unlink(lock.c_str());
        return error;
    }
    ::fdatasync(fd);
    return 0;
}

void RemoveIfStale(const std::string& lock) {
    const std::string removal = lock + ".rmlock";
    int guard = -1;
    const int error = TryMake(removal, guard);
    if (error == EEXIST && IsStale(removal))
        ::unlink(removal.c_str());  // left by a taker that died; the next round goes on
    if (error != 0)
        return;
    if (IsStale(lock)) {
        // A holder that still runs keeps its flock, and its lock stays.
        const int fd = ::open(lock.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
                ::unlink(lock.c_str());
            ::close(fd);
        }
    }
    ::unlink(removal.c_str());
    ::close(guard);
}

// KConfig names a file by its canonical path, so its lock lies beside the
// file a link leads to.
std::string LockOf(const std::string& file) {
    if (char* real = ::realpath(file.c_str(), nullptr)) {
        const std::string lock = std::string(real) + ".lock";
        std::free(real);
        return lock;
    }
    const std::string folder = FolderPart(file);
    if (char* real = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr)) {
        const std::string lock = std::string(real) + "/" + FileNameOf(file) + ".lock";
        std::free(real);
        return lock;
    }
    return file + ".lock";
}

class KConfigLockHeld : public HeldLock {
  public:
    KConfigLockHeld(std::string lock, int fd) : lock_(std::move(lock)), fd_(fd) {}
    ~KConfigLockHeld() override {
        ::unlink(lock_.c_str());
        ::close(fd_);
    }

  private:
    std::string lock_;
    int fd_;
};

}  // namespace

int LockKConfigFile(const std::string& file, int waitMs, std::unique_ptr<HeldLock>& held) {
    const std::string lock = LockOf(file);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::milliseconds(10);
    for (;;) {
        int fd = -1;
        const int error = TryMake(lock, fd);
        if (error == 0) {
            held = std::make_unique<KConfigLockHeld>(lock, fd);
            return 0;
        }
        if (error != EEXIST)
            return error;
        if (IsStale(lock)) {
            RemoveIfStale(lock);
            if (::access(lock.c_str(), F_OK) != 0)
                continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return BusyCode();
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(200));
    }
}

}  // namespace sonatrix
