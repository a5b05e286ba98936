// The installer dialog: its window procedure and its initialisation.
#pragma once

#include "platform/win32.h"

// The window procedure of class "VintInstall", also given as the dialog procedure.
LRESULT CALLBACK InstallerDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Centres the dialog, makes it topmost, fills the folder box and subclasses the progress control. Always 1.
int InitInstallerDialog(HWND hwnd);
