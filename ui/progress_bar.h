// The two-tone progress bar: a sunken frame, a navy filled part and a white rest,
// with the caption in inverted colours across the split.
#pragma once

#include "platform/win32.h"

// right and bottom name the last pixel column and row of the bar.
void PaintProgressBar(int border3D, int left, int top, int right, int bottom, HDC hdc, int percent,
                      const char* text, COLORREF fillColour, COLORREF altTextColour, COLORREF backColour,
                      int useAltText);
// Subclass procedure of the progress control: paints from progressPercent and statusText.
LRESULT CALLBACK ProgressWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
