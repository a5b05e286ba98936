// The window class of a fixture's own windows, on the button-face background.
#pragma once

#include "platform/win32.h"

// Registers the class the first time; a class kept from an earlier test is left as it is.
inline void RegisterTestWindowClass(const char* name, WNDPROC proc, int extraBytes = 0) {
    WNDCLASSA existing;
    if (GetClassInfoA(nullptr, name, &existing)) return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extraBytes;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}
