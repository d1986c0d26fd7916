// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <shellapi.h>

#include "platform/shell.h"

namespace sonatrix {
namespace {

class WindowsShell : public Shell {
  public:
    void OpenWithDefaultHandler(const std::string& address) override {
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    void StartBrowser(const std::string& argument) override {
        ShellExecuteA(nullptr, "open", "IEXPLORE.EXE", argument.c_str(), nullptr, SW_SHOWNORMAL);
    }

    bool StartRecordingSourceSettings() override {
        // Older systems have the volume control's recording view; newer ones
        // keep the recording devices in the sound control panel.
        if (SystemFileExists("sndvol32.exe"))
            return WinExec("sndvol32.exe /r", SW_SHOW) > 31;
        return WinExec("control mmsys.cpl,,1", SW_SHOW) > 31;
    }

  private:
    static bool SystemFileExists(const char* name) {
        char folder[MAX_PATH];
        const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return false;
        const std::string path = std::string(folder, length) + "\\" + name;
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
};

}  // namespace

std::unique_ptr<Shell> MakeNativeShell() {
    return std::make_unique<WindowsShell>();
}

}  // namespace sonatrix
