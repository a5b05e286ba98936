#include "platform/user32/controls/edit_view.h"

namespace layer {
namespace {

constexpr int kMargin = 2;  // between the client edge and the text

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Draws text[begin, end) at x and returns the x after it.
int DrawRun(HDC hdc, const std::string& text, int begin, int end, int x, int y) {
    if (end <= begin) return x;
    ExtTextOutA(hdc, x, y, 0, nullptr, text.data() + begin, static_cast<UINT>(end - begin), nullptr);
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.data() + begin, end - begin, &size);
    return x + size.cx;
}

}  // namespace

EditMeasure::EditMeasure(HWND hwnd, const EditState* state) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {
    if (hdc_ && state->font) previousFont_ = SelectObject(hdc_, state->font);
}

EditMeasure::~EditMeasure() {
    if (!hdc_) return;
    if (previousFont_) SelectObject(hdc_, previousFont_);
    ReleaseDC(hwnd_, hdc_);
}

int EditMeasure::Width(const std::string& text, int begin, int end) const {
    if (!hdc_ || end <= begin) return 0;
    SIZE size{};
    GetTextExtentPoint32A(hdc_, text.data() + begin, end - begin, &size);
    return size.cx;
}

RECT EditTextArea(HWND hwnd) {
    RECT area;
    GetClientRect(hwnd, &area);
    InflateRect(&area, -kMargin, 0);
    return area;
}

void ScrollToCaret(HWND hwnd, EditState* state, const std::string& text) {
    const int length = static_cast<int>(text.size());
    state->caret = Clamp(state->caret, 0, length);
    state->anchor = Clamp(state->anchor, 0, length);
    state->firstVisible = Clamp(state->firstVisible, 0, state->caret);
    const RECT area = EditTextArea(hwnd);
    const int room = area.right - area.left - 1;  // keep a column for the caret itself
    EditMeasure measure(hwnd, state);
    while (state->firstVisible < state->caret && measure.Width(text, state->firstVisible, state->caret) > room)
        ++state->firstVisible;
    // After a deletion, take back room at the left that the rest of the text no longer needs.
    while (state->firstVisible > 0 && measure.Width(text, state->firstVisible - 1, length) <= room)
        --state->firstVisible;
}

int CaretIndexAt(HWND hwnd, const EditState* state, const std::string& text, int x) {
    const RECT area = EditTextArea(hwnd);
    EditMeasure measure(hwnd, state);
    const int length = static_cast<int>(text.size());
    int best = state->firstVisible;
    int bestDistance = -1;
    for (int index = state->firstVisible; index <= length; ++index) {
        int edge = area.left + measure.Width(text, state->firstVisible, index);
        int distance = edge > x ? edge - x : x - edge;
        if (bestDistance >= 0 && distance > bestDistance) break;
        best = index;
        bestDistance = distance;
    }
    return best;
}

void PaintEdit(HWND hwnd, const EditState* state) {
    PaintControl(hwnd, [&](HDC hdc, RECT client) {
        const bool enabled = IsWindowEnabled(hwnd) != FALSE;
        const bool focused = GetFocus() == hwnd;
        // Disabled edits take the static colours, as read-only text.
        HBRUSH brush = QueryControlBrush(hwnd, hdc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
        FillRect(hdc, &client, brush);

        const RECT area = EditTextArea(hwnd);
        ControlFontScope font(hdc, state);
        IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
        if (!enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        TEXTMETRICA metrics{};
        GetTextMetricsA(hdc, &metrics);
        const int y = area.top + (area.bottom - area.top - metrics.tmHeight) / 2;

        const std::string text = StoredText(hwnd);
        const int length = static_cast<int>(text.size());
        const int first = state->firstVisible < length ? state->firstVisible : length;
        const int selStart = Clamp(state->SelectionStart(), first, length);
        const int selEnd = Clamp(state->SelectionEnd(), first, length);
        int x = DrawRun(hdc, text, first, selStart, area.left, y);
        if (focused && selEnd > selStart) {
            COLORREF textColour = SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            COLORREF backColour = SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
            int mode = SetBkMode(hdc, OPAQUE);
            x = DrawRun(hdc, text, selStart, selEnd, x, y);
            SetTextColor(hdc, textColour);
            SetBkColor(hdc, backColour);
            SetBkMode(hdc, mode);
        } else {
            x = DrawRun(hdc, text, selStart, selEnd, x, y);
        }
        DrawRun(hdc, text, selEnd, length, x, y);

        if (focused && selEnd == selStart) {
            SIZE before{};
            GetTextExtentPoint32A(hdc, text.data() + first, selStart - first, &before);
            PatBlt(hdc, area.left + before.cx, y, 1, metrics.tmHeight, DSTINVERT);
        }
    });
}

}  // namespace layer
