// SPDX-License-Identifier: GPL-3.0-or-later
// Linux: resource limits, Landlock where the kernel has it, and a seccomp
// filter (Debian's libseccomp) that lets through only what reading an open
// file, decoding in memory and writing open files need.
#include <fcntl.h>
#include <linux/landlock.h>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "confinement.h"

// AddressSanitizer reserves terabytes of address space for its shadow: its
// builds cannot have an address-space limit.
#if defined(__SANITIZE_ADDRESS__)
#define SONATRIX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SONATRIX_ADDRESS_SANITIZER 1
#endif
#endif

namespace sonatrix::decode {
namespace {

bool Limit(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    return setrlimit(resource, &limit) == 0;
}

// Memory, CPU time (then SIGXCPU, and SIGKILL a second later) and no core
// file of a hostile file's decoding.
bool LimitResources(int cpuSeconds) {
#ifndef SONATRIX_ADDRESS_SANITIZER
    if (!Limit(RLIMIT_AS, kHelperMemoryBytes, kHelperMemoryBytes))
        return false;
#endif
    const auto cpu = static_cast<rlim_t>(cpuSeconds);
    return Limit(RLIMIT_CPU, cpu, cpu + 1) && Limit(RLIMIT_CORE, 0, 0);
}

// No file may be opened, made, renamed or removed anywhere; the files open
// already stay usable. False where the kernel has no Landlock.
bool EnterLandlock() {
    const long abi =
        syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (abi < 1)
        return false;
    landlock_ruleset_attr ruleset{};
    // Every right of the first version, then REFER from the second.
    ruleset.handled_access_fs = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;
    if (abi >= 2)
        ruleset.handled_access_fs |= LANDLOCK_ACCESS_FS_REFER;
    const long fd = syscall(SYS_landlock_create_ruleset, &ruleset, sizeof ruleset, 0);
    if (fd < 0)
        return false;
    const bool restricted = syscall(SYS_landlock_restrict_self, fd, 0) == 0;
    close(static_cast<int>(fd));
    return restricted;
}

// Any other call ends the process (SIGSYS): a decoder that asks for one
// has been taken over, and must get no second try. Opening a file only
// fails, as a file one may not read does: a library that looks for a file
// of its own carries on without it. Two calls that reach nothing outside
// the process are let through for the sanitizers' runtime, so that their
// builds test this same filter: a pipe it probes memory with, and its
// signal stack.
bool EnterSeccomp() {
    const scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
    if (!filter)
        return false;
    bool added = true;
    // Reading and writing the files it holds open, the clock, ending, and
    // the sanitizers' two.
    constexpr int kAllowed[] = {SCMP_SYS(read),
                                SCMP_SYS(readv),
                                SCMP_SYS(pread64),
                                SCMP_SYS(write),
                                SCMP_SYS(writev),
                                SCMP_SYS(pwrite64),
                                SCMP_SYS(lseek),
                                SCMP_SYS(fstat),
                                SCMP_SYS(newfstatat),
                                SCMP_SYS(close),
                                SCMP_SYS(fsync),
                                SCMP_SYS(fdatasync),
                                SCMP_SYS(brk),
                                SCMP_SYS(munmap),
                                SCMP_SYS(mremap),
                                SCMP_SYS(madvise),
                                SCMP_SYS(futex),
                                SCMP_SYS(clock_gettime),
                                SCMP_SYS(clock_getres),
                                SCMP_SYS(gettimeofday),
                                SCMP_SYS(getrandom),
                                SCMP_SYS(sched_getaffinity),
                                SCMP_SYS(sched_yield),
                                SCMP_SYS(sysinfo),
                                SCMP_SYS(getpid),
                                SCMP_SYS(gettid),
                                SCMP_SYS(rt_sigprocmask),
                                SCMP_SYS(rt_sigreturn),
                                SCMP_SYS(exit),
                                SCMP_SYS(exit_group),
                                SCMP_SYS(pipe2),
                                SCMP_SYS(sigaltstack)};
    for (const int call : kAllowed)
        added = added && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    // Memory that is never executable: decoding makes no code.
    for (int call : {SCMP_SYS(mmap), SCMP_SYS(mprotect)})
        added = added && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1,
                                          SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)) == 0;
    for (int call : {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat)})
        added = added && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), call, 0) == 0;
    const bool loaded = added && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return loaded;
}

}  // namespace

std::string Confine(int cpuSeconds) {
    if (!LimitResources(cpuSeconds) || prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return {};
    // Landlock first: the filter lets no Landlock call through.
    const bool landlock = EnterLandlock();
    if (!EnterSeccomp())
        return {};
    return landlock ? "seccomp, landlock" : "seccomp";
}

std::string TryForbidden(const std::string& call, const std::string& path) {
    bool escaped = false;
    if (call == "exec") {
        char* const argv[] = {const_cast<char*>("/bin/true"), nullptr};
        // Returns only when refused.
        execv(argv[0], argv);
    } else if (call == "socket") {
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        escaped = socket >= 0;
        if (escaped)
            close(socket);
    } else if (call == "open") {
        const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        escaped = file >= 0;
        if (escaped)
            close(file);
    } else {
        return "untried " + call;
    }
    return (escaped ? "escaped " : "refused ") + call;
}

}  // namespace sonatrix::decode
