// SPDX-License-Identifier: GPL-3.0-or-later
#include "running_program.h"

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace sonatrix::testing {
namespace {

constexpr LONG kClientWidth = 723;  // the main window's designed client area
constexpr LONG kClientHeight = 553;

std::vector<TopWindow> TopWindowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<TopWindow> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search.pid)
                return TRUE;
            wchar_t title[256] = {};
            GetWindowTextW(window, title, 256);
            RECT client{};
            GetClientRect(window, &client);
            search.found.push_back({title, IsWindowVisible(window) != FALSE,
                                    IsWindowEnabled(window) != FALSE, client.right, client.bottom});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Poll(
    const std::function<bool()>& condition, std::chrono::seconds deadline,
    const std::function<bool()>& givenUp = [] { return false; }) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end && !givenUp()) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

}  // namespace

bool TopWindow::IsMainWindow() const {
    return title == L"Sonatrix2009" && width == kClientWidth && height == kClientHeight;
}

bool MainWindowUsable(const std::vector<TopWindow>& windows) {
    for (const TopWindow& window : windows)
        if (window.IsMainWindow() && window.visible && window.enabled)
            return true;
    return false;
}

std::filesystem::path LayOutQQ(const std::filesystem::path& folder,
                               const std::filesystem::path& programFolder) {
    const auto qq = folder / "Tencent" / "QQ";
    std::filesystem::create_directories(qq / "Misc" / "sound");
    for (const auto& sound : std::filesystem::directory_iterator(programFolder / "qqsounds"))
        std::filesystem::copy_file(sound.path(), qq / "Misc" / "sound" / sound.path().filename());
    return qq / "Bin" / "QQ.exe";
}

std::filesystem::path FromBuildPath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return std::filesystem::path("Z:" + path);
}

std::optional<std::filesystem::path> FolderFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return FromBuildPath(value);
}

RunningProgram::RunningProgram(const std::filesystem::path& exe, const std::wstring& arguments,
                               const std::filesystem::path& workingFolder) {
    const std::wstring program = exe.wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const std::wstring folder =
        (workingFolder.empty() ? exe.parent_path() : workingFolder).wstring();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, folder.c_str(), &startup, &started_))
        throw std::runtime_error("cannot start " + exe.string());
    CloseHandle(started_.hThread);
}

RunningProgram::~RunningProgram() {
    if (!Ended())
        TerminateProcess(started_.hProcess, 1);
    WaitForSingleObject(started_.hProcess, 10000);
    CloseHandle(started_.hProcess);
}

bool RunningProgram::WaitForWindows(
    const std::function<bool(const std::vector<TopWindow>&)>& wanted) const {
    return Poll([&] { return wanted(TopWindowsOf(Pid())); }, std::chrono::seconds(60),
                [&] { return Ended(); });
}

std::optional<DWORD> RunningProgram::WaitForExit() const {
    if (!Poll([&] { return Ended(); }, std::chrono::seconds(120)))
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(started_.hProcess, &code);
    return code;
}

bool WaitUntil(const std::function<bool()>& condition) {
    return Poll(condition, std::chrono::seconds(120));
}

}  // namespace sonatrix::testing
