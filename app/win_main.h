// Start-up: the platform gate, the backdrop and the dialog, and the message loop.
#pragma once

#include "platform/win32.h"

// Creates the backdrop and the installer dialog, shown; returns the dialog.
HWND CreateInstallerWindows();
// Dispatches messages until WM_QUIT and returns its wParam.
int RunMessageLoop();
