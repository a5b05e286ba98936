#include "platform/user32/controls/control_support.h"

namespace layer {

bool HandleFontMessage(HWND hwnd, ControlState* state, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result) {
    if (message == WM_SETFONT) {
        state->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        *result = 0;
        return true;
    }
    if (message == WM_GETFONT) {
        *result = reinterpret_cast<LRESULT>(state->font);
        return true;
    }
    return false;
}

HBRUSH QueryControlBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage) {
    HWND parent = GetParent(hwnd);
    HWND answerer = parent ? parent : hwnd;
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(answerer, ctlColorMessage, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)));
    if (brush) return brush;
    return reinterpret_cast<HBRUSH>(
        DefWindowProcA(answerer, ctlColorMessage, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)));
}

void NotifyParent(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT SetTextAndRepaint(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return result;
}

std::string StoredText(HWND hwnd) {
    LRESULT length = DefWindowProcA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = DefWindowProcA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

ControlFontScope::ControlFontScope(HDC hdc, const ControlState* state) : hdc_(hdc) {
    if (state && state->font) previous_ = SelectObject(hdc, state->font);
}

ControlFontScope::~ControlFontScope() {
    if (previous_) SelectObject(hdc_, previous_);
}

}  // namespace layer
