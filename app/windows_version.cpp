#include "app/windows_version.h"

#include "platform/win32.h"

WindowsVersionClass ClassifyWindowsVersion() {
    DWORD version = GetVersion();
    DWORD major = version & 0xFF;
    DWORD minor = (version >> 8) & 0xFF;
    bool notNT = (version & 0x80000000u) != 0;
    if (!notNT) return major >= 4 ? WindowsNT4Plus : WindowsNT3;
    if (major < 4) return Win32s;
    return minor == 10 ? Windows98 : Windows95;
}

int IsSupportedWindows() {
    WindowsVersionClass versionClass = ClassifyWindowsVersion();
    return versionClass == Windows95 || versionClass == Windows98 || versionClass == WindowsNT4Plus;
}
