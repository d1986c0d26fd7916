// SPDX-License-Identifier: GPL-3.0-or-later
// Processes through ToolHelp32. The functions are bound by name from
// kernel32 at first use, as on systems that lack them the program must
// still start; then every call fails and no process is listed.
#include <windows.h>

#include <tlhelp32.h>

#include "platform/processes.h"

namespace sonatrix {
namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
using ModuleWalkFn = BOOL(WINAPI*)(HANDLE, MODULEENTRY32*);
using CloseHandleFn = BOOL(WINAPI*)(HANDLE);

struct ToolHelp {
    CreateSnapshotFn createSnapshot = nullptr;
    ProcessWalkFn processFirst = nullptr;
    ProcessWalkFn processNext = nullptr;
    ModuleWalkFn moduleFirst = nullptr;
    ModuleWalkFn moduleNext = nullptr;
    CloseHandleFn closeHandle = nullptr;
};

template <typename Fn>
Fn Bind(HMODULE kernel, const char* name) {
    if (!kernel)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

const ToolHelp& Functions() {
    static const ToolHelp functions = [] {
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        ToolHelp bound;
        bound.createSnapshot = Bind<CreateSnapshotFn>(kernel, "CreateToolhelp32Snapshot");
        bound.processFirst = Bind<ProcessWalkFn>(kernel, "Process32First");
        bound.processNext = Bind<ProcessWalkFn>(kernel, "Process32Next");
        bound.moduleFirst = Bind<ModuleWalkFn>(kernel, "Module32First");
        bound.moduleNext = Bind<ModuleWalkFn>(kernel, "Module32Next");
        bound.closeHandle = Bind<CloseHandleFn>(kernel, "CloseHandle");
        return bound;
    }();
    return functions;
}

// Each wrapper fails as the real call would when its function is missing.
HANDLE TakeSnapshot(DWORD what, DWORD pid) {
    const ToolHelp& th = Functions();
    return th.createSnapshot ? th.createSnapshot(what, pid) : INVALID_HANDLE_VALUE;
}

bool FirstProcess(HANDLE snapshot, PROCESSENTRY32& entry) {
    const ToolHelp& th = Functions();
    return th.processFirst && th.processFirst(snapshot, &entry);
}

bool NextProcess(HANDLE snapshot, PROCESSENTRY32& entry) {
    const ToolHelp& th = Functions();
    return th.processNext && th.processNext(snapshot, &entry);
}

bool FirstModule(HANDLE snapshot, MODULEENTRY32& entry) {
    const ToolHelp& th = Functions();
    return th.moduleFirst && th.moduleFirst(snapshot, &entry);
}

bool NextModule(HANDLE snapshot, MODULEENTRY32& entry) {
    const ToolHelp& th = Functions();
    return th.moduleNext && th.moduleNext(snapshot, &entry);
}

void CloseSnapshot(HANDLE snapshot) {
    const ToolHelp& th = Functions();
    if (snapshot != INVALID_HANDLE_VALUE && th.closeHandle)
        th.closeHandle(snapshot);
}

void ListModules(DWORD pid, std::vector<std::string>& modules) {
    // The clients are 32-bit programs: a 64-bit build asks for their 32-bit
    // modules as well. The call can fail with ERROR_BAD_LENGTH while the
    // process is loading a module; it is worth a few more tries.
    HANDLE snapshot = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 5; ++attempt) {
        snapshot = TakeSnapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
        if (snapshot != INVALID_HANDLE_VALUE || GetLastError() != ERROR_BAD_LENGTH)
            break;
    }
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (bool more = FirstModule(snapshot, entry); more; more = NextModule(snapshot, entry))
        modules.emplace_back(entry.szExePath);
    CloseSnapshot(snapshot);
}

class ToolHelpProcesses : public ProcessSource {
  public:
    bool Snapshot(std::vector<ProcessEntry>& out) override {
        out.clear();
        HANDLE snapshot = TakeSnapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return false;
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (bool more = FirstProcess(snapshot, entry); more; more = NextProcess(snapshot, entry)) {
            ProcessEntry process;
            process.pid = static_cast<std::int32_t>(entry.th32ProcessID);
            // The idle process (and anything the walk must pass over) is not
            // asked for modules.
            if (process.pid > 0)
                ListModules(entry.th32ProcessID, process.modules);
            out.push_back(std::move(process));
        }
        CloseSnapshot(snapshot);
        return true;
    }
};

}  // namespace

std::unique_ptr<ProcessSource> MakeNativeProcessSource() {
    return std::make_unique<ToolHelpProcesses>();
}

}  // namespace sonatrix
