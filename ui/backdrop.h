// The full-screen window tiled with one bitmap that the installer runs in front of.
#pragma once

#include "platform/win32.h"

// Registers "VintFlashWin", loads the tile for the display's depth, creates and paints the window.
void CreateBackdrop();
LRESULT CALLBACK BackdropWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
int PaintBackdrop(HWND hwnd);
