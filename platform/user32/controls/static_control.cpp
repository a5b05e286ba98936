// "STATIC": text (wrapped, single line or centred) and the etched separator.
// The parent chooses the colours through WM_CTLCOLORSTATIC at every paint.
#include "platform/user32/controls/control_procs.h"
#include "platform/user32/controls/control_support.h"

namespace layer {
namespace {

UINT TextFormat(LONG style) {
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER: format = DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK; break;
        case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
        default: format = DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_EDITCONTROL) format |= DT_EDITCONTROL;
    return format;
}

void PaintStatic(HWND hwnd, const ControlState* state) {
    PaintControl(hwnd, [&](HDC hdc, RECT client) {
        HBRUSH brush = QueryControlBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
        FillRect(hdc, &client, brush);
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ETCHEDHORZ) {
            DrawEdge(hdc, &client, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
        } else if ((style & SS_TYPEMASK) != SS_ICON) {
            const std::string text = StoredText(hwnd);
            if (!text.empty()) {
                ControlFontScope font(hdc, state);
                if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
                DrawTextA(hdc, text.c_str(), -1, &client, TextFormat(style));
            }
        }
    });
}

LRESULT HandleStaticMessage(HWND hwnd, ControlState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintStatic(hwnd, state);
            return 0;
        case WM_SETTEXT:
            return SetTextAndRepaint(hwnd, wParam, lParam);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK StaticControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchControlMessage<ControlState>(hwnd, message, wParam, lParam, HandleStaticMessage);
}

}  // namespace layer
