#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <cerrno>
#include <ctime>

void WINAPI Sleep(DWORD milliseconds) {
    double scaled = milliseconds * layer::CurrentProfile().timeScale;
    if (scaled <= 0) return;
    timespec wait;
    wait.tv_sec = static_cast<time_t>(scaled / 1000);
    wait.tv_nsec = static_cast<long>((scaled - wait.tv_sec * 1000.0) * 1e6);
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

DWORD WINAPI GetTickCount(void) {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Wraps after 49.7 days, as the tick count does.
    return static_cast<DWORD>(static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}
