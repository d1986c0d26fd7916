// SPDX-License-Identifier: GPL-3.0-or-later
// sonatrix.exe started from a folder under Wine, and what a user sees of it:
// its top-level windows. Shared by the tests of the program folder, of the
// installed program and of the desktop's sounds.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sonatrix::testing {

struct TopWindow {
    std::wstring title;
    bool visible = false;
    bool enabled = false;
    LONG width = 0;
    LONG height = 0;

    bool IsMainWindow() const;
};

// True when the main window is shown and takes input: the program found its
// client at the first show, so no message holds it back.
bool MainWindowUsable(const std::vector<TopWindow>& windows);

// Lays out a QQ installation below `folder` with the default sounds of the
// program folder `programFolder`, and returns where its QQ.exe goes (for a
// StandInProcess).
std::filesystem::path LayOutQQ(const std::filesystem::path& folder,
                               const std::filesystem::path& programFolder);

// A path the build recorded (a Unix path) as Wine shows it, on drive Z:.
std::filesystem::path FromBuildPath(std::string path);

// The folder an environment variable names (a Unix path), if it is set.
std::optional<std::filesystem::path> FolderFromEnvironment(const char* name);

// A program started from `exe`, in its own folder unless `workingFolder`
// says otherwise; ended with the object if it still runs.
class RunningProgram {
  public:
    explicit RunningProgram(const std::filesystem::path& exe, const std::wstring& arguments = L"",
                            const std::filesystem::path& workingFolder = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD Pid() const { return started_.dwProcessId; }
    bool Ended() const { return WaitForSingleObject(started_.hProcess, 0) == WAIT_OBJECT_0; }

    // Waits up to a minute (a first start in a new Wine prefix is slow) for
    // the program's windows to be as `wanted` says; false when they never
    // are or the program ends first.
    bool WaitForWindows(const std::function<bool(const std::vector<TopWindow>&)>& wanted) const;
    // Waits up to two minutes for the program to end by itself: its exit
    // code, or nothing when it is still running.
    std::optional<DWORD> WaitForExit() const;

  private:
    PROCESS_INFORMATION started_{};
};

// Waits up to two minutes for `condition`; false when it never held.
bool WaitUntil(const std::function<bool()>& condition);

}  // namespace sonatrix::testing
