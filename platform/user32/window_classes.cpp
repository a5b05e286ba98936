// RegisterClassA and friends: the process's window classes.
#include "platform/user32/controls/control_classes.h"
#include "platform/user32/window_class_registry.h"

#include <memory>
#include <strings.h>

namespace layer {

const char kDialogClassName[] = "#32770";

namespace {

// First integer atom handed out; class atoms live in 0xC000..0xFFFF as on Windows.
constexpr ATOM kFirstClassAtom = 0xC000;
constexpr int kMaxExtraBytes = 4096;

std::vector<std::unique_ptr<WindowClass>>& Classes() {
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

WindowClass* Lookup(LPCSTR name) {
    for (auto& c : Classes()) {
        if (IS_INTRESOURCE(name) ? c->atom == LOWORD(name) : strcasecmp(c->name.c_str(), name) == 0)
            return c.get();
    }
    return nullptr;
}

void RegisterSystemClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterControlClasses();
    WNDCLASSA dialog = {};
    dialog.lpfnWndProc = DefDlgProcA;
    dialog.cbWndExtra = DLGWINDOWEXTRA;
    dialog.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    dialog.lpszClassName = kDialogClassName;
    RegisterClassA(&dialog);
}

}  // namespace

WindowClass* FindWindowClass(LPCSTR name) {
    RegisterSystemClasses();
    if (!name) return nullptr;
    return Lookup(name);
}

}  // namespace layer

using namespace layer;

ATOM WINAPI RegisterClassA(const WNDCLASSA* wndClass) {
    if (!wndClass || !wndClass->lpszClassName || IS_INTRESOURCE(wndClass->lpszClassName) ||
        !*wndClass->lpszClassName || wndClass->cbClsExtra < 0 || wndClass->cbWndExtra < 0 ||
        wndClass->cbClsExtra > kMaxExtraBytes || wndClass->cbWndExtra > kMaxExtraBytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (Lookup(wndClass->lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = wndClass->lpszClassName;
    c->style = wndClass->style;
    c->proc = wndClass->lpfnWndProc;
    c->windowExtraBytes = wndClass->cbWndExtra;
    c->classExtra.assign(static_cast<size_t>(wndClass->cbClsExtra), 0);
    c->instance = wndClass->hInstance;
    c->icon = wndClass->hIcon;
    c->cursor = wndClass->hCursor;
    c->background = wndClass->hbrBackground;
    ATOM atom = kFirstClassAtom;
    while (Lookup(MAKEINTRESOURCEA(atom))) ++atom;
    c->atom = atom;
    Classes().push_back(std::move(c));
    return atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE) {
    WindowClass* c = FindWindowClass(className);
    if (!c) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (c->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    auto& all = Classes();
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (it->get() == c) {
            all.erase(it);
            break;
        }
    }
    return TRUE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* wndClass) {
    WindowClass* c = FindWindowClass(className);
    if (!c || !wndClass) {
        SetLastError(c ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wndClass->style = c->style;
    wndClass->lpfnWndProc = c->proc;
    wndClass->cbClsExtra = static_cast<int>(c->classExtra.size());
    wndClass->cbWndExtra = c->windowExtraBytes;
    wndClass->hInstance = c->instance;
    wndClass->hIcon = c->icon;
    wndClass->hCursor = c->cursor;
    wndClass->hbrBackground = c->background;
    wndClass->lpszMenuName = nullptr;
    wndClass->lpszClassName = c->name.c_str();
    return c->atom;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR name, int size) {
    Window* w = CheckedWindow(hwnd);
    if (!w) return 0;
    if (!name || size <= 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string& text = w->windowClass->name;
    int n = static_cast<int>(text.size()) < size - 1 ? static_cast<int>(text.size()) : size - 1;
    text.copy(name, static_cast<size_t>(n));
    name[n] = '\0';
    return n;
}
