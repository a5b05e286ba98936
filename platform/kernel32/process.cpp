#include "platform/win32.h"

#include <unistd.h>

DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }
