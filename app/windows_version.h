// Which Windows the installer runs on, and whether it may install there.
#pragma once

enum WindowsVersionClass {
    Win32s = 0,
    Windows95 = 1,
    WindowsNT3 = 2,
    WindowsNT4Plus = 3,
    Windows98 = 4,
};

WindowsVersionClass ClassifyWindowsVersion();
// 1 on Windows 95, Windows 98 and Windows NT 4.0 or later; else 0.
int IsSupportedWindows();
