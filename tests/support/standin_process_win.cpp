// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <tlhelp32.h>

#include <stdexcept>

#include "running_program.h"
#include "standin_process.h"

namespace sonatrix::testing {
namespace {

bool ModulesListed(DWORD pid, const std::string& exePath) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (bool more = Module32First(snapshot, &entry); more && !found;
         more = Module32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szExePath, exePath.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

}  // namespace

std::filesystem::path StandInProgram() {
    return FromBuildPath(SONATRIX_STANDIN_PROGRAM);
}

int SelfPid() {
    return static_cast<int>(GetCurrentProcessId());
}

StandInProcess::StandInProcess(const std::filesystem::path& exePath) {
    std::filesystem::create_directories(exePath.parent_path());
    // A second instance of the same path finds the program there, in use by
    // the first and so not to be overwritten.
    std::error_code inUse;
    std::filesystem::copy_file(StandInProgram(), exePath,
                               std::filesystem::copy_options::overwrite_existing, inUse);
    if (inUse && !std::filesystem::exists(exePath))
        throw std::runtime_error("cannot copy the stand-in to " + exePath.string());
    const std::string program = exePath.string();
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // No console: Wine would give the stand-in a console host of its own that
    // holds the test's output pipes open after the test has ended.
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, nullptr, &startup, &started))
        throw std::runtime_error("cannot start " + program);
    CloseHandle(started.hThread);
    pid_ = static_cast<int>(started.dwProcessId);
    // CreateProcess returns before the new process has loaded its program;
    // the walk sees its modules only from then on.
    for (int waited = 0; waited < 200 && !ModulesListed(started.dwProcessId, program); ++waited) {
        if (WaitForSingleObject(started.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
    CloseHandle(started.hProcess);
}

StandInProcess::~StandInProcess() {
    Stop();
}

void StandInProcess::Stop() {
    if (pid_ <= 0)
        return;
    if (HANDLE process =
            OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(pid_))) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
    pid_ = 0;
}

bool KillProcess(int pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return false;
    const bool ended = TerminateProcess(process, 1);
    CloseHandle(process);
    return ended;
}

bool SuspendProcess(int pid) {
    // Windows has no documented call for it; ntdll's is what debuggers use.
    using Suspend = LONG(WINAPI*)(HANDLE);
    const auto suspend = reinterpret_cast<Suspend>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSuspendProcess")));
    HANDLE process = OpenProcess(PROCESS_SUSPEND_RESUME, FALSE, static_cast<DWORD>(pid));
    if (!suspend || !process) {
        if (process)
            CloseHandle(process);
        return false;
    }
    const bool suspended = suspend(process) >= 0;
    CloseHandle(process);
    return suspended;
}

// Windows keeps no such figure for a process's children.
double LargestEndedChildMiB() {
    return -1;
}

}  // namespace sonatrix::testing
