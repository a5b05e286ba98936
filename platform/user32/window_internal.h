// The window manager's own records: classes, windows and the process-wide
// state (z-order, focus, capture, activation). Shared by the user32 sources only.
#pragma once

#include "platform/common/handle_table.h"
#include "platform/gdi32/gdi_internal.h"
#include "platform/win32.h"

#include <memory>
#include <string>
#include <vector>

namespace layer {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::vector<BYTE> classExtra;
    ATOM atom = 0;
    int windowCount = 0;
};

struct Window {
    HWND hwnd = nullptr;
    WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;   // children only
    HWND owner = nullptr;    // top-level windows only
    std::vector<HWND> children;  // topmost first
    RECT rect = {};          // window rectangle: in the parent's client area, or on the screen
    std::string text;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;         // GWL_ID of a child
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    HFONT font = nullptr;    // a dialog's font, from WM_SETFONT

    // Painting: the invalid part of the client area (client coordinates).
    RECT update = {};
    bool erasePending = false;
    bool frameInvalid = false;

    // Top-level windows keep what they show here (window coordinates).
    std::vector<uint32_t> backingPixels;
    PixelBuffer backing;

    HWND lastFocus = nullptr;  // the descendant to focus again when this window is activated
    bool destroying = false;
    bool isDialog = false;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
};

struct WindowManager {
    HandleTable<Window> windows{kTagWindow};
    std::vector<HWND> zOrder;  // top-level windows, topmost first
    HWND desktop = nullptr;
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    bool quitPending = false;
    int quitCode = 0;
};

// The process's window manager, set up on first use (control classes, the desktop, the display).
WindowManager& Wm();

// Enters a new window into the handle table and gives it its HWND (nullptr when the table is full).
HWND RegisterWindow(std::unique_ptr<Window> window);
// Takes a window out of the table; its handle is stale from then on.
std::unique_ptr<Window> UnregisterWindow(HWND hwnd);

// A window of this process, or nullptr (no last-error set).
Window* WindowFromHandle(HWND hwnd);
// As above, but sets ERROR_INVALID_WINDOW_HANDLE when the handle names no live window.
Window* CheckedWindow(HWND hwnd);

bool IsTopLevel(const Window* w);
// The top-level window that holds w (w itself when it is top-level).
Window* TopLevelOf(Window* w);
// True when w and all its ancestors are visible.
bool IsShownOnScreen(const Window* w);

}  // namespace layer
