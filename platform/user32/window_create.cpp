// CreateWindowExA: a window of a registered class, announced with WM_NCCREATE and WM_CREATE.
#include "platform/ipc/ipc.h"
#include "platform/kernel32/profile.h"
#include "platform/user32/window_class_registry.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

namespace layer {
namespace {

// Overlapped windows without a given place cascade from the top-left corner.
POINT NextCascadePosition() {
    static int step = 0;
    int offset = 26 * (step++ % 8);
    return POINT{offset, offset};
}

RECT InitialRect(DWORD style, bool child, int x, int y, int width, int height) {
    const Profile& profile = CurrentProfile();
    bool overlapped = !child && !(style & WS_POPUP);
    if (x == CW_USEDEFAULT) {
        POINT p = overlapped ? NextCascadePosition() : POINT{0, 0};
        x = p.x;
        y = p.y;
    }
    if (width == CW_USEDEFAULT) {
        width = overlapped ? profile.screenWidth * 3 / 4 : 0;
        height = overlapped ? profile.screenHeight * 3 / 4 : 0;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    return RECT{x, y, x + width, y + height};
}

}  // namespace
}  // namespace layer

using namespace layer;

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    WindowManager& wm = Wm();
    WindowClass* windowClass = FindWindowClass(className);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    bool child = (style & WS_CHILD) != 0;
    if (parent == wm.desktop) parent = nullptr;
    Window* parentWindow = nullptr;
    if (parent && !(parentWindow = CheckedWindow(parent))) return nullptr;
    if (child && !parentWindow) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    // Overlapped windows always have a caption.
    if (!child && !(style & WS_POPUP)) style |= WS_CAPTION | WS_CLIPSIBLINGS;
    // DS_MODALFRAME means a dialog frame only on a top-level window; a control uses the bit for itself.
    if (!child && (style & DS_MODALFRAME)) exStyle |= WS_EX_DLGMODALFRAME;

    auto created = std::make_unique<Window>();
    Window* w = created.get();
    w->windowClass = windowClass;
    w->proc = windowClass->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
    w->instance = instance;
    w->extra.assign(static_cast<size_t>(windowClass->windowExtraBytes), 0);
    w->rect = InitialRect(style, child, x, y, width, height);
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    } else if (parentWindow) {
        Window* owner = TopLevelOf(parentWindow);
        w->owner = owner->hwnd;
        // An owned window shares its owner's band.
        if (owner->exStyle & WS_EX_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    }
    HWND hwnd = RegisterWindow(std::move(created));
    if (!hwnd) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    ++windowClass->windowCount;
    if (child)
        parentWindow->children.push_back(hwnd);  // new children go to the bottom: template order is tab order
    else
        PlaceTopLevel(w, HWND_TOP);

    CREATESTRUCTA cs = {};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = w->rect.left;
    cs.y = w->rect.top;
    cs.cx = w->rect.right - w->rect.left;
    cs.cy = w->rect.bottom - w->rect.top;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
        SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!(w = WindowFromHandle(hwnd))) return nullptr;  // destroyed by its own creation messages
    if (!child) {
        IpcPublishWindow(hwnd, windowClass->name.c_str(), w->text.c_str());
        EnsureBackingStore(w);
    }
    RECT client;
    GetClientRect(hwnd, &client);
    LPARAM position = MAKELPARAM(w->rect.left, w->rect.top);
    SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    SendMessageA(hwnd, WM_MOVE, 0, position);
    if ((style & WS_VISIBLE) && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}
