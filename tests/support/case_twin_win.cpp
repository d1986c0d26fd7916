// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "case_twin.h"
#include "running_program.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

using UnixFileName = char*(CDECL*)(LPCWSTR);

// The Unix path of a Windows one, where Wine tells it.
std::string UnixPathOf(UnixFileName unixFileName, const std::filesystem::path& path) {
    char* name = unixFileName(path.wstring().c_str());
    if (!name)
        return {};
    std::string unixPath = name;
    HeapFree(GetProcessHeap(), 0, name);
    return unixPath;
}

bool HoldsExactly(const std::filesystem::path& folder, const std::string& name) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(NarrowPath(folder / name).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return name == found.cFileName;
}

}  // namespace

bool PutCaseTwin(const std::filesystem::path& folder, const std::string& name,
                 const std::string& bytes) {
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return false;
    const std::filesystem::path staged = folder / "staged-case-twin";
    WriteFile(staged, bytes);
    // Wine starts a Unix program like a Windows one, but cannot wait for it.
    std::string command = "mv \"" + UnixPathOf(unixFileName, staged) + "\" \"" +
                          UnixPathOf(unixFileName, folder) + "/" + name + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA("Z:\\bin\\mv", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return WaitUntil(
        [&] { return HoldsExactly(folder, name) && !std::filesystem::exists(staged); });
}

}  // namespace sonatrix::testing
