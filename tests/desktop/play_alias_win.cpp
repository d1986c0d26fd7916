// SPDX-License-Identifier: GPL-3.0-or-later
// A small Windows program that plays one of the sound scheme's sounds the
// way any Windows program does, with winmm's PlaySound, and tells which of
// the given files PlaySound opened: its exit status is that file's number
// (from 0), kNoneOpen when it opened none of them, kNoDevice when there is
// no audio device to play on (PlaySound then gives up right after opening).
//   play_alias <event> <file>...
#include <windows.h>

#include <mmsystem.h>

namespace {

constexpr int kNoneOpen = 100;
constexpr int kNoDevice = 101;
constexpr ULONGLONG kDeadlineMs = 20000;

// True while another handle holds `path` open: PlaySound's denies the
// sharing asked for here.
bool HeldOpen(const wchar_t* path) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 2;
    if (waveOutGetNumDevs() == 0)
        return kNoDevice;
    // Looping, the sound keeps its file open until it is stopped.
    if (!PlaySoundW(argv[1], nullptr, SND_ALIAS | SND_NODEFAULT | SND_ASYNC | SND_LOOP))
        return kNoneOpen;
    int open = kNoneOpen;
    for (const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
         open == kNoneOpen && GetTickCount64() < deadline; Sleep(10)) {
        for (int file = 2; file < argc && open == kNoneOpen; ++file) {
            if (HeldOpen(argv[file]))
                open = file - 2;
        }
    }
    PlaySoundW(nullptr, nullptr, 0);
    return open;
}
