// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: the helper puts itself in a job object of its own that limits
// its memory, its CPU time and its processes to itself. It does so first
// thing for the file, before FFmpeg reads a byte of it.
#include <windows.h>

#include "confinement.h"

namespace sonatrix::decode {

std::string Confine(int cpuSeconds) {
    // The handle stays open: the job lasts as long as the helper.
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return {};
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_ACTIVE_PROCESS |
        JOB_OBJECT_LIMIT_PROCESS_TIME | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.BasicLimitInformation.ActiveProcessLimit = 1;
    limits.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart =
        static_cast<LONGLONG>(cpuSeconds) * 10'000'000;
    limits.ProcessMemoryLimit = static_cast<SIZE_T>(kHelperMemoryBytes);
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job, GetCurrentProcess())) {
        CloseHandle(job);
        return {};
    }
    // Wine keeps a job's limits without reporting them back: what is said
    // is what was set, on a process that is in the job.
    BOOL inJob = FALSE;
    if (!IsProcessInJob(GetCurrentProcess(), job, &inJob) || !inJob)
        return {};
    return "job of " + std::to_string(limits.ProcessMemoryLimit >> 20) + " MiB, " +
           std::to_string(limits.BasicLimitInformation.ActiveProcessLimit) + " process";
}

std::string TryForbidden(const std::string& call, const std::string&) {
    if (call != "exec")
        return "untried " + call;
    wchar_t command[] = L"cmd.exe /c exit";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const bool escaped = CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &started);
    if (escaped) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    return (escaped ? "escaped " : "refused ") + call;
}

}  // namespace sonatrix::decode
