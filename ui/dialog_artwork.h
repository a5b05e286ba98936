// The dialog's pictures and coloured text, drawn as its static controls ask for colours.
#pragma once

#include "platform/win32.h"

// The answer to WM_CTLCOLORSTATIC: the two logos, the dark blue message text, else the default.
LRESULT PaintDialogArtwork(HWND dialog, HDC hdc, HWND control);
