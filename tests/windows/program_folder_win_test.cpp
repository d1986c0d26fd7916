// sonatrix.exe started from a copy of the program folder, with nothing of the
// build's Qt reachable, on the desktop platform (under Wine's display driver
// for no display): it reaches its first show, beside a running QQ and
// without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "standin_process.h"
#include "temp_dir.h"

namespace sonatrix::testing {
namespace {

constexpr LONG kClientWidth = 723;  // the main window's designed client area
constexpr LONG kClientHeight = 553;

// The build records Unix paths; Wine shows the Unix root as drive Z:.
std::filesystem::path FromBuildPath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return std::filesystem::path("Z:" + path);
}

struct TopWindow {
    std::wstring title;
    bool visible = false;
    bool enabled = false;
    LONG width = 0;
    LONG height = 0;

    bool IsMainWindow() const {
        return title == L"Sonatrix2009" && width == kClientWidth && height == kClientHeight;
    }
};

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

// sonatrix.exe running from `folder`, ended with the object.
class RunningProgram {
  public:
    explicit RunningProgram(const std::filesystem::path& folder) {
        const std::wstring program = (folder / "sonatrix.exe").wstring();
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        const std::wstring workingFolder = folder.wstring();
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            DETACHED_PROCESS, nullptr, workingFolder.c_str(), &startup, &started_))
            throw std::runtime_error("cannot start sonatrix.exe");
        CloseHandle(started_.hThread);
    }
    ~RunningProgram() {
        TerminateProcess(started_.hProcess, 1);
        WaitForSingleObject(started_.hProcess, 10000);
        CloseHandle(started_.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD Pid() const { return started_.dwProcessId; }
    bool Ended() const { return WaitForSingleObject(started_.hProcess, 0) == WAIT_OBJECT_0; }

    // Waits up to a minute (a first start in a new Wine prefix is slow) for
    // the program's windows to be as `wanted` says; false when they never
    // are or the program ends first.
    bool WaitForWindows(const std::function<bool(const std::vector<TopWindow>&)>& wanted) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline && !Ended()) {
            if (wanted(TopWindowsOf(Pid())))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

  private:
    PROCESS_INFORMATION started_{};
};

class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The copy leaves the build folder and its Qt behind: whatever the
        // program needs must be in the folder itself.
        std::filesystem::copy(FromBuildPath(SONATRIX_PROGRAM_FOLDER), folder,
                              std::filesystem::copy_options::recursive);
    }

    TempDir dir;
    std::filesystem::path folder = dir.Path() / "Sonatrix";
};

TEST_F(ProgramFolderTest, ShowsItsWindowBesideARunningQQ) {
    const auto qq = dir.Path() / "Tencent" / "QQ";
    std::filesystem::create_directories(qq / "Misc" / "sound");
    for (const auto& sound : std::filesystem::directory_iterator(folder / "qqsounds"))
        std::filesystem::copy_file(sound.path(), qq / "Misc" / "sound" / sound.path().filename());
    StandInProcess client(qq / "Bin" / "QQ.exe");

    RunningProgram program(folder);
    // Found at the first show, so no message holds the window back: it is
    // shown and takes input.
    EXPECT_TRUE(program.WaitForWindows([](const std::vector<TopWindow>& windows) {
        for (const TopWindow& window : windows)
            if (window.IsMainWindow() && window.visible && window.enabled)
                return true;
        return false;
    })) << "the main window never came up usable";
    EXPECT_FALSE(program.Ended());
}

TEST_F(ProgramFolderTest, SaysSoWhenNoQQRuns) {
    RunningProgram program(folder);
    // The first show's message that no QQ runs, a window of its own in front
    // of the main window, which waits for it.
    EXPECT_TRUE(program.WaitForWindows([](const std::vector<TopWindow>& windows) {
        bool message = false;
        bool mainUsable = false;
        for (const TopWindow& window : windows) {
            if (window.IsMainWindow())
                mainUsable = window.visible && window.enabled;
            else if (window.visible && window.title == L"Sonatrix2009")
                message = true;
        }
        return message && !mainUsable;
    })) << "no message that QQ does not run";
    EXPECT_FALSE(program.Ended());
}

}  // namespace
}  // namespace sonatrix::testing
