// "BUTTON": push buttons and check boxes. A click is a press and a release
// inside the button (mouse or space bar); it notifies the parent with BN_CLICKED.
#include "platform/user32/controls/button_paint.h"
#include "platform/user32/controls/control_procs.h"
#include "platform/user32/controls/control_support.h"

namespace layer {
namespace {

bool IsCheckBox(HWND hwnd) {
    LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
}

bool IsAutoCheckBox(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX; }

void SetPushed(HWND hwnd, ButtonState* state, bool pushed) {
    if (state->pushed == pushed) return;
    state->pushed = pushed;
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Click(HWND hwnd, ButtonState* state) {
    if (IsAutoCheckBox(hwnd)) {
        state->checked = !state->checked;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    NotifyParent(hwnd, BN_CLICKED);
}

bool PointInClient(HWND hwnd, LPARAM lParam) {
    RECT client;
    GetClientRect(hwnd, &client);
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

// Ends a press that the mouse or the space bar began; a release inside clicks.
void EndPress(HWND hwnd, ButtonState* state, bool inside) {
    SetPushed(hwnd, state, false);
    if (inside) Click(hwnd, state);
}

LRESULT HandleButtonMessage(HWND hwnd, ButtonState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintButton(hwnd, state);
            return 0;
        case WM_SETTEXT:
            return SetTextAndRepaint(hwnd, wParam, lParam);
        case WM_ENABLE:
        case WM_SETFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_KILLFOCUS:
            state->spaceHeld = false;
            SetPushed(hwnd, state, state->tracking);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_LBUTTONDOWN:
            if (GetFocus() != hwnd) SetFocus(hwnd);
            SetCapture(hwnd);
            state->tracking = true;
            SetPushed(hwnd, state, true);
            return 0;
        case WM_MOUSEMOVE:
            if (state->tracking) SetPushed(hwnd, state, PointInClient(hwnd, lParam));
            return 0;
        case WM_LBUTTONUP:
            if (!state->tracking) return 0;
            state->tracking = false;  // before ReleaseCapture, whose WM_CAPTURECHANGED must not cancel
            ReleaseCapture();
            EndPress(hwnd, state, PointInClient(hwnd, lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (state->tracking) {
                state->tracking = false;
                SetPushed(hwnd, state, false);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !state->tracking) {
                state->spaceHeld = true;
                SetPushed(hwnd, state, true);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && state->spaceHeld) {
                state->spaceHeld = false;
                EndPress(hwnd, state, true);
            }
            return 0;
        case WM_GETDLGCODE:
            if (IsCheckBox(hwnd)) return DLGC_BUTTON;
            return DLGC_BUTTON | ((GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON
                                      ? DLGC_DEFPUSHBUTTON
                                      : DLGC_UNDEFPUSHBUTTON);
        case BM_CLICK:
            // The program's own request, not input: a disabled button clicks too.
            Click(hwnd, state);
            return 0;
        case BM_GETCHECK:
            return (IsCheckBox(hwnd) && state->checked) ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            if (IsCheckBox(hwnd) && state->checked != (wParam == BST_CHECKED)) {
                state->checked = wParam == BST_CHECKED;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case BM_GETSTATE:
            return (state->checked ? BST_CHECKED : 0) | (state->pushed ? BST_PUSHED : 0) |
                   (GetFocus() == hwnd ? BST_FOCUS : 0);
        case BM_SETSTATE:
            SetPushed(hwnd, state, wParam != 0);
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ButtonControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchControlMessage<ButtonState>(hwnd, message, wParam, lParam, HandleButtonMessage);
}

}  // namespace layer
