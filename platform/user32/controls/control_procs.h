// The window procedures of the system's control classes.
#pragma once

#include "platform/win32.h"

namespace layer {

LRESULT CALLBACK StaticControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ButtonControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace layer
