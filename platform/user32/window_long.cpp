// GetWindowLongA / SetWindowLongA and their pointer-sized forms: the window's
// procedure, styles, identifier, user data and the class's extra bytes.
#include "platform/user32/window_ops.h"

#include <cstring>

namespace layer {
namespace {

// On a 64-bit layer a LONG cannot carry these pointer values; the Ptr forms must be used.
bool NeedsPointerForm(int index) {
    return sizeof(LONG_PTR) > sizeof(LONG) &&
           (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT);
}

// An owner is a top-level window that is not owned, directly or not, by w itself.
bool SetOwner(Window* w, HWND owner) {
    Window* o = owner ? WindowFromHandle(owner) : nullptr;
    if (owner && !o) return false;
    if (o) o = TopLevelOf(o);
    for (Window* up = o; up; up = WindowFromHandle(up->owner))
        if (up == w) return false;
    w->owner = o ? o->hwnd : nullptr;
    return true;
}

bool ExtraBytesInRange(const Window* w, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

bool ReadLong(Window* w, int index, size_t size, LONG_PTR* value) {
    switch (index) {
    case GWLP_WNDPROC: *value = reinterpret_cast<LONG_PTR>(w->proc); return true;
    case GWLP_HINSTANCE: *value = reinterpret_cast<LONG_PTR>(w->instance); return true;
    case GWLP_HWNDPARENT: *value = reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner); return true;
    case GWL_STYLE: *value = static_cast<LONG>(w->style); return true;
    case GWL_EXSTYLE: *value = static_cast<LONG>(w->exStyle); return true;
    case GWLP_USERDATA: *value = w->userData; return true;
    case GWLP_ID: *value = w->id; return true;
    default: break;
    }
    if (!ExtraBytesInRange(w, index, size)) return false;
    if (size == sizeof(LONG)) {
        LONG v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        *value = v;
    } else {
        std::memcpy(value, w->extra.data() + index, sizeof *value);
    }
    return true;
}

bool WriteLong(Window* w, int index, size_t size, LONG_PTR value) {
    switch (index) {
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); return true;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return true;
    case GWLP_HWNDPARENT:
        if (IsTopLevel(w)) return SetOwner(w, reinterpret_cast<HWND>(value));
        return true;
    case GWL_STYLE: {
        // Visibility changes through ShowWindow; here only the other bits.
        DWORD style = static_cast<DWORD>(value);
        w->style = (style & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
        return true;
    }
    case GWL_EXSTYLE:
        // The topmost band changes only through SetWindowPos.
        w->exStyle = (static_cast<DWORD>(value) & ~WS_EX_TOPMOST) | (w->exStyle & WS_EX_TOPMOST);
        return true;
    case GWLP_USERDATA: w->userData = value; return true;
    case GWLP_ID: w->id = value; return true;
    default: break;
    }
    if (!ExtraBytesInRange(w, index, size)) return false;
    if (size == sizeof(LONG)) {
        LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof v);
    } else {
        std::memcpy(w->extra.data() + index, &value, sizeof value);
    }
    return true;
}

LONG_PTR Get(HWND hwnd, int index, size_t size) {
    Window* w = CheckedWindow(hwnd);
    LONG_PTR value = 0;
    if (w && !ReadLong(w, index, size, &value)) SetLastError(ERROR_INVALID_INDEX);
    return value;
}

LONG_PTR Set(HWND hwnd, int index, size_t size, LONG_PTR value) {
    Window* w = CheckedWindow(hwnd);
    LONG_PTR previous = 0;
    if (!w) return 0;
    if (!ReadLong(w, index, size, &previous) || !WriteLong(w, index, size, value)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return previous;
}

}  // namespace
}  // namespace layer

using namespace layer;

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
    if (NeedsPointerForm(index)) {
        if (CheckedWindow(hwnd)) SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(Get(hwnd, index, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
    if (NeedsPointerForm(index)) {
        if (CheckedWindow(hwnd)) SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(Set(hwnd, index, sizeof(LONG), value));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) { return Get(hwnd, index, sizeof(LONG_PTR)); }

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return Set(hwnd, index, sizeof(LONG_PTR), value);
}
