// Small operations on the installer dialog's controls.
#pragma once

#include "platform/win32.h"

void EnableInstallButton(HWND hwnd, int flag);
LRESULT SetCheck(HWND hwnd, int identifier, int flag);
// Nonzero when ticked.
LRESULT GetCheck(HWND hwnd, int identifier);
// Writes "Total Disk Space Used: ..." (2477K, 2478K with the StartUp item) and enables
// Install while no install has finished.
void UpdateDiskSpaceLine(HWND hwnd);
