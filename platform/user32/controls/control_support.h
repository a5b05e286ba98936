// What the three control classes share: their per-window data, the font they
// draw with, the colour query to the parent and the WM_COMMAND notification.
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

// Sends ctlColorMessage (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORBTN) to the parent with the
// control's DC; a parent that answers with no brush gets the default colours.
HBRUSH QueryControlBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage);

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
