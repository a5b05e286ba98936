// The process's window manager and the checked mapping from HWND to window.
#include "platform/display/display.h"
#include "platform/kernel32/profile.h"
#include "platform/user32/input.h"
#include "platform/user32/window_internal.h"

#include <memory>
#include <unistd.h>

namespace layer {

namespace {

// An HWND carries the owning process's id in its upper half, so another
// process's window is recognised (and sent over IPC) rather than looked up here.
uintptr_t ProcessBits() { return uintptr_t(static_cast<uint32_t>(getpid())) << 32; }

WindowClass& DesktopClass() {
    static WindowClass desktopClass = [] {
        WindowClass c;
        c.name = "#32769";
        c.proc = DefWindowProcA;
        c.background = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
        return c;
    }();
    return desktopClass;
}

void CreateDesktop(WindowManager& wm) {
    auto desktop = std::make_unique<Window>();
    desktop->windowClass = &DesktopClass();
    desktop->proc = DefWindowProcA;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    desktop->rect = RECT{0, 0, CurrentProfile().screenWidth, CurrentProfile().screenHeight};
    Window* w = desktop.get();
    w->hwnd = reinterpret_cast<HWND>(ProcessBits() | wm.windows.Add(std::move(desktop)));
    wm.desktop = w->hwnd;
}

}  // namespace

WindowManager& Wm() {
    static WindowManager* wm = nullptr;
    if (!wm) {
        wm = new WindowManager;  // lives as long as the process: windows may be used at exit
        CreateDesktop(*wm);
        DisplayOpen();
        ConnectDisplayInput();
    }
    return *wm;
}

HWND RegisterWindow(std::unique_ptr<Window> window) {
    Window* w = window.get();
    uintptr_t handle = Wm().windows.Add(std::move(window));
    if (!handle) return nullptr;
    w->hwnd = reinterpret_cast<HWND>(ProcessBits() | handle);
    return w->hwnd;
}

std::unique_ptr<Window> UnregisterWindow(HWND hwnd) {
    if (!WindowFromHandle(hwnd)) return nullptr;
    return Wm().windows.Take(reinterpret_cast<uintptr_t>(hwnd) & 0xFFFFFFFFu);
}

Window* WindowFromHandle(HWND hwnd) {
    uintptr_t value = reinterpret_cast<uintptr_t>(hwnd);
    if ((value & ~uintptr_t(0xFFFFFFFFu)) != ProcessBits()) return nullptr;
    return Wm().windows.Get(value & 0xFFFFFFFFu);
}

Window* CheckedWindow(HWND hwnd) {
    Window* w = WindowFromHandle(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

bool IsTopLevel(const Window* w) { return !w->parent && w->hwnd != Wm().desktop; }

Window* TopLevelOf(Window* w) {
    while (w && w->parent) w = WindowFromHandle(w->parent);
    return w;
}

bool IsShownOnScreen(const Window* w) {
    for (; w; w = w->parent ? WindowFromHandle(w->parent) : nullptr)
        if (!(w->style & WS_VISIBLE)) return false;
    return true;
}

}  // namespace layer
