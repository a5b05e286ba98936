// DefDlgProcA, the procedure of the dialog class, and IsDialogMessageA's keyboard handling.
#include "platform/user32/input.h"
#include "platform/user32/window_ops.h"

#include <cstring>

namespace layer {
namespace {

DLGPROC DialogProcOf(Window* w) {
    DLGPROC proc = nullptr;
    if (w->extra.size() >= DWLP_DLGPROC + sizeof(DLGPROC)) std::memcpy(&proc, w->extra.data() + DWLP_DLGPROC, sizeof proc);
    return proc;
}

// Messages whose answer is the dialog procedure's return value rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

// The next (or previous) visible, enabled control with WS_TABSTOP after from, wrapping around.
HWND NextTabStop(Window* dialog, HWND from, bool backwards) {
    const auto& children = dialog->children;
    size_t count = children.size();
    size_t start = count;
    for (size_t i = 0; i < count; ++i)
        if (IsSelfOrAncestor(children[i], from)) start = i;
    for (size_t step = 1; step <= count; ++step) {
        size_t i = start == count ? (backwards ? count - step : step - 1)
                                  : (backwards ? (start + count - step) % count : (start + step) % count);
        Window* c = WindowFromHandle(children[i]);
        if (c && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED)) return c->hwnd;
    }
    return nullptr;
}

}  // namespace
}  // namespace layer

using namespace layer;

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = WindowFromHandle(dialog);
    if (!w) return DefWindowProcA(dialog, message, wParam, lParam);
    if (DLGPROC proc = DialogProcOf(w)) {
        if (w->extra.size() >= sizeof(LRESULT)) SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
        INT_PTR handled = proc(dialog, message, wParam, lParam);
        if (handled) {
            if (AnswersDirectly(message)) return handled;
            return WindowFromHandle(dialog) ? GetWindowLongPtrA(dialog, DWLP_MSGRESULT) : 0;
        }
        if (!(w = WindowFromHandle(dialog))) return 0;
    }
    switch (message) {
    case WM_INITDIALOG:
        return 0;
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(w->font);
    case WM_CLOSE:
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return 0;
    default:
        return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
    Window* w = WindowFromHandle(dialog);
    if (!w || !msg || !msg->hwnd || !IsSelfOrAncestor(dialog, msg->hwnd)) return FALSE;
    if (msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
        case VK_TAB:
            if (HWND next = NextTabStop(w, GetFocus(), ShiftKeyDown())) SetFocus(next);
            return TRUE;
        case VK_RETURN:
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            return TRUE;
        case VK_ESCAPE:
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return TRUE;
        default:
            break;
        }
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
