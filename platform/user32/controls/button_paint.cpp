#include "platform/user32/controls/button_paint.h"

namespace layer {
namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckTextGap = 4;

// The check mark inside the box, one row per line, drawn from the box's inner corner.
constexpr const char* kCheckMark[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

void DrawLabel(HDC hdc, const std::string& text, RECT area, UINT format, bool enabled) {
    SetBkMode(hdc, TRANSPARENT);
    if (enabled) {
        DrawTextA(hdc, text.c_str(), -1, &area, format);
        return;
    }
    // Disabled: etched, a highlight copy one pixel down and right under a shadow copy.
    RECT offset = area;
    OffsetRect(&offset, 1, 1);
    SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(hdc, text.c_str(), -1, &offset, format);
    SetTextColor(hdc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(hdc, text.c_str(), -1, &area, format);
}

// The rectangle a single-line label occupies when drawn with format inside area.
RECT LabelBounds(HDC hdc, const std::string& text, RECT area, UINT format) {
    RECT measured = area;
    DrawTextA(hdc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    int width = measured.right - measured.left;
    int height = measured.bottom - measured.top;
    RECT bounds;
    bounds.left = (format & DT_CENTER) ? area.left + (area.right - area.left - width) / 2 : area.left;
    bounds.top = area.top + (area.bottom - area.top - height) / 2;
    bounds.right = bounds.left + width;
    bounds.bottom = bounds.top + height;
    return bounds;
}

void PaintPushButton(HWND hwnd, HDC hdc, const ButtonState* state, RECT client) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const bool focused = GetFocus() == hwnd;
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    // Push buttons ask, but always draw in the system's button colours.
    QueryControlBrush(hwnd, hdc, WM_CTLCOLORBTN);

    RECT face = client;
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON || focused) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (state->pushed) {
        FrameRect(hdc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&face, -1, -1);
        FillRect(hdc, &face, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawEdge(hdc, &face, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    }

    const std::string text = StoredText(hwnd);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    RECT area = face;
    if (state->pushed) OffsetRect(&area, 1, 1);
    if (!text.empty()) {
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        DrawLabel(hdc, text, area, format, enabled);
    }
    if (focused) {
        RECT ring = face;
        InflateRect(&ring, -2, -2);
        DrawFocusRect(hdc, &ring);
    }
}

void PaintCheckBox(HWND hwnd, HDC hdc, const ButtonState* state, RECT client) {
    HBRUSH brush = QueryControlBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &client, brush);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;

    RECT box;
    box.left = client.left;
    box.top = client.top + (client.bottom - client.top - kCheckBoxSize) / 2;
    box.right = box.left + kCheckBoxSize;
    box.bottom = box.top + kCheckBoxSize;
    DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(hdc, &box, GetSysColorBrush(state->pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state->checked) {
        const COLORREF mark = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 7; ++column)
                if (kCheckMark[row][column] == '#') SetPixel(hdc, box.left + 1 + column, box.top + 1 + row, mark);
    }

    const std::string text = StoredText(hwnd);
    if (text.empty()) return;
    RECT area = client;
    area.left += kCheckBoxSize + kCheckTextGap;
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    DrawLabel(hdc, text, area, format, enabled);
    if (GetFocus() == hwnd) {
        RECT ring = LabelBounds(hdc, text, area, format);
        InflateRect(&ring, 1, 1);
        IntersectRect(&ring, &ring, &client);
        DrawFocusRect(hdc, &ring);
    }
}

}  // namespace

void PaintButton(HWND hwnd, const ButtonState* state) {
    PaintControl(hwnd, [&](HDC hdc, RECT client) {
        ControlFontScope font(hdc, state);
        LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)
            PaintCheckBox(hwnd, hdc, state, client);
        else
            PaintPushButton(hwnd, hdc, state, client);
    });
}

}  // namespace layer
