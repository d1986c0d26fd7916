// A stand-in messenger client: it does nothing but wait until it is ended,
// so that a process of its name is running.
#ifdef _WIN32
#include <windows.h>
int main() {
    Sleep(INFINITE);
    return 0;
}
#else
#include <unistd.h>
int main() {
    for (;;)
        pause();
}
#endif
