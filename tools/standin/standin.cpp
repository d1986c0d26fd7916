// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in messenger client: it does nothing but wait until it is ended,
// so that a process of its name is running.
#ifdef _WIN32
#include <windows.h>
int main() {
    Sleep(INFINITE);
    return 0;
}
#else
#include <stdlib.h>
#include <unistd.h>
int main() {
    // A starter that waits for us passes a pipe: by the time main runs, the
    // loader has mapped every library, so the process looks as it will stay.
    if (const char* readyFd = getenv("SONATRIX_STANDIN_READY_FD")) {
        const int fd = atoi(readyFd);
        (void)!write(fd, "r", 1);
        close(fd);
    }
    for (;;)
        pause();
}
#endif
