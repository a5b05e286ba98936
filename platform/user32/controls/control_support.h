// What the three control classes share: their per-window data, the frame of
// their window procedure and of their painting, the font they draw with, the
// colour query to the parent and the WM_COMMAND notification.
#pragma once

#include "platform/win32.h"

#include <string>

namespace layer {

// Every control keeps a state object behind the first pointer of its extra window bytes.
struct ControlState {
    HFONT font = nullptr;  // from WM_SETFONT; nullptr draws in the DC's own font
};

constexpr int kControlExtraBytes = sizeof(void*);

template <typename State>
State* StateOf(HWND hwnd) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
}

template <typename State>
void AttachState(HWND hwnd) {
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new State()));
}

template <typename State>
void DetachState(HWND hwnd) {
    delete StateOf<State>(hwnd);
    SetWindowLongPtrA(hwnd, 0, 0);
}

// WM_SETFONT and WM_GETFONT; true when message was one of them.
bool HandleFontMessage(HWND hwnd, ControlState* state, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result);

// A class's own messages; what it leaves goes to DefWindowProcA.
template <typename State>
using ControlHandler = LRESULT (*)(HWND hwnd, State* state, UINT message, WPARAM wParam, LPARAM lParam);

// The frame of every control procedure: the state lives from WM_NCCREATE to WM_NCDESTROY, the font
// messages are answered here, and the class's handler gets the rest.
template <typename State>
LRESULT DispatchControlMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                               ControlHandler<State> handler) {
    if (message == WM_NCCREATE) AttachState<State>(hwnd);
    State* state = StateOf<State>(hwnd);
    if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    if (HandleFontMessage(hwnd, state, message, wParam, lParam, &result)) return result;
    if (message == WM_NCDESTROY) {
        DetachState<State>(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return handler(hwnd, state, message, wParam, lParam);
}

// WM_SETTEXT for a control that only shows its text: stored as DefWindowProcA keeps it, then repainted.
LRESULT SetTextAndRepaint(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Sends ctlColorMessage (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORBTN) to the parent with the
// control's DC; a parent that answers with no brush gets the default colours.
HBRUSH QueryControlBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage);

// A control's WM_PAINT: draw(hdc, client) runs between BeginPaint and EndPaint unless nothing is
// left to update, as when a subclass painted first; drawing then would cover its work.
template <typename Draw>
void PaintControl(HWND hwnd, Draw draw) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    if (hdc && !IsRectEmpty(&paint.rcPaint)) {
        RECT client;
        GetClientRect(hwnd, &client);
        draw(hdc, client);
    }
    EndPaint(hwnd, &paint);
}

// WM_COMMAND to the parent, synchronously: identifier and code in wParam, the control in lParam.
void NotifyParent(HWND hwnd, WORD code);

// The text the window keeps (DefWindowProcA's storage), whatever its length.
std::string StoredText(HWND hwnd);

// Selects the control's font into hdc for the life of this object.
class ControlFontScope {
public:
    ControlFontScope(HDC hdc, const ControlState* state);
    ~ControlFontScope();
    ControlFontScope(const ControlFontScope&) = delete;
    ControlFontScope& operator=(const ControlFontScope&) = delete;

private:
    HDC hdc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace layer
