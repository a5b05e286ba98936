// GetUserNameA: the account name, which also names the user's folder under C:\users.
#include "platform/win32.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <unistd.h>

BOOL WINAPI GetUserNameA(LPSTR buffer, LPDWORD size) {
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    passwd* account = getpwuid(geteuid());
    const char* fallback = getenv("USER");
    std::string name = account ? account->pw_name : (fallback && *fallback ? fallback : "user");
    DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (!buffer || *size < needed) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(buffer, name.c_str(), needed);
    *size = needed;
    return TRUE;
}
