// Putting the program's bitmaps on screen: a plain copy at a point, a centred
// copy with one colour keyed out, and a centred copy in the button colours.
#pragma once

#include "platform/win32.h"

void DrawBitmap(HDC hdc, int x, int y, HBITMAP bitmap, DWORD rop);
// The caller's bitmap is changed during the call and restored before it returns.
void DrawTransparentBitmapCentered(HDC hdc, HWND window, HBITMAP bitmap, COLORREF keyColour);
// 0 when drawn; 255 when nothing was drawn (no colour table, or no such image).
int Draw3D(HINSTANCE hInstance, HDC hdc, HWND window, const char* resourceName);
