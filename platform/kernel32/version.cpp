#include "platform/kernel32/profile.h"
#include "platform/win32.h"

DWORD WINAPI GetVersion(void) { return layer::CurrentProfile().version; }
