// The Readme and Cancel/Finish commands of the installer dialog.
#pragma once

#include "platform/win32.h"

void ShowReadme(HWND hwnd);
// Starts the installed program after a successful install, then closes the dialog.
void FinishInstall(HWND hwnd);
