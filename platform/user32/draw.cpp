// user32's drawing helpers, built on the gdi32 calls any program could make.
#include "platform/win32.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// A system colour index + 1 stands for that colour's brush, as documented for class backgrounds.
HBRUSH ResolveBrush(HBRUSH brush) {
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= COLOR_INFOBK + 1) return GetSysColorBrush(static_cast<int>(value - 1));
    return brush;
}

bool Fill(HDC hdc, int x, int y, int width, int height, HBRUSH brush) {
    if (width <= 0 || height <= 0) return true;
    HGDIOBJ previous = SelectObject(hdc, brush);
    if (!previous) return false;
    BOOL ok = PatBlt(hdc, x, y, width, height, PATCOPY);
    SelectObject(hdc, previous);
    return ok != FALSE;
}

void FillWithSysColor(HDC hdc, int x, int y, int width, int height, int colourIndex) {
    Fill(hdc, x, y, width, height, GetSysColorBrush(colourIndex));
}

// One ring of an edge: the top and left lines stop short of the corners that the
// bottom and right lines own.
void DrawRing(HDC hdc, const RECT& r, UINT sides, int topLeft, int bottomRight) {
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return;
    if (sides & BF_TOP) FillWithSysColor(hdc, r.left, r.top, width - ((sides & BF_RIGHT) ? 1 : 0), 1, topLeft);
    if (sides & BF_LEFT) FillWithSysColor(hdc, r.left, r.top, 1, height - ((sides & BF_BOTTOM) ? 1 : 0), topLeft);
    if (sides & BF_BOTTOM) FillWithSysColor(hdc, r.left, r.bottom - 1, width, 1, bottomRight);
    if (sides & BF_RIGHT) FillWithSysColor(hdc, r.right - 1, r.top, 1, height, bottomRight);
}

void ShrinkSides(RECT* r, UINT sides) {
    if (sides & BF_LEFT) ++r->left;
    if (sides & BF_TOP) ++r->top;
    if (sides & BF_RIGHT) --r->right;
    if (sides & BF_BOTTOM) --r->bottom;
}

}  // namespace

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (!rect || !brush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    brush = ResolveBrush(brush);
    if (brush == GetStockObject(NULL_BRUSH)) return GetObjectType(hdc) ? 1 : 0;
    // An inverted rectangle fills as PatBlt fills a negative extent: the pixels
    // from its far edge, exclusive, to its near edge, inclusive.
    const int left = rect->right < rect->left ? rect->right + 1 : rect->left;
    const int top = rect->bottom < rect->top ? rect->bottom + 1 : rect->top;
    const int width = rect->right < rect->left ? rect->left - rect->right : rect->right - rect->left;
    const int height = rect->bottom < rect->top ? rect->top - rect->bottom : rect->bottom - rect->top;
    return Fill(hdc, left, top, width, height, brush) ? 1 : 0;
}

int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (!rect || !brush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    brush = ResolveBrush(brush);
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0) return GetObjectType(hdc) ? 1 : 0;
    bool ok = Fill(hdc, rect->left, rect->top, width, 1, brush) &&
              Fill(hdc, rect->left, rect->bottom - 1, width, 1, brush) &&
              Fill(hdc, rect->left, rect->top, 1, height, brush) &&
              Fill(hdc, rect->right - 1, rect->top, 1, height, brush);
    return ok ? 1 : 0;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    if (!rect || !GetObjectType(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool soft = (flags & BF_SOFT) != 0;
    const UINT sides = flags & BF_RECT;
    RECT r = *rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (edge & BDR_RAISEDOUTER)
            DrawRing(hdc, r, sides, soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        else
            DrawRing(hdc, r, sides, soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        ShrinkSides(&r, sides);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (edge & BDR_RAISEDINNER)
            DrawRing(hdc, r, sides, soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        else
            DrawRing(hdc, r, sides, soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT);
        ShrinkSides(&r, sides);
    }
    if (flags & BF_MIDDLE) FillWithSysColor(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, COLOR_BTNFACE);
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect) {
    if (!rect || !GetObjectType(hdc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // A dotted frame drawn by inversion, so a second call takes it away again.
    auto invert = [hdc](int x, int y) {
        if ((x + y) % 2 != 0) return;
        COLORREF colour = GetPixel(hdc, x, y);
        if (colour != CLR_INVALID) SetPixel(hdc, x, y, colour ^ 0x00FFFFFF);
    };
    const RECT& r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return TRUE;
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top) invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left) invert(r.right - 1, y);
    }
    return TRUE;
}

namespace {

// Text as shown: '&' marks the next character for underlining and "&&" shows one '&'.
struct ShownText {
    std::string text;
    std::vector<int> underlined;
};

ShownText ApplyPrefixes(const char* text, int length, bool prefixes) {
    ShownText shown;
    for (int i = 0; i < length; ++i) {
        if (prefixes && text[i] == '&') {
            if (i + 1 >= length) break;
            if (text[i + 1] != '&') {
                shown.underlined.push_back(static_cast<int>(shown.text.size()));
                continue;
            }
            ++i;
        }
        shown.text += text[i];
    }
    return shown;
}

int Extent(HDC hdc, const std::string& text, int begin, int end) {
    if (end <= begin) return 0;
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.data() + begin, end - begin, &size);
    return size.cx;
}

struct Line {
    int begin, end;
};

// Greedy word wrap of text[begin, end) into width; a word wider than the line
// stays whole unless breakWords is set.
void WrapParagraph(HDC hdc, const std::string& text, int begin, int end, int width, bool breakWords,
                   std::vector<Line>* lines) {
    int pos = begin;
    do {
        int fits = -1;
        for (int c = pos + 1; c <= end; ++c) {
            bool wordEnd = c == end || (text[c] == ' ' && text[c - 1] != ' ');
            if (!wordEnd) continue;
            if (Extent(hdc, text, pos, c) > width) break;
            fits = c;
        }
        if (fits < 0) {
            if (breakWords) {
                fits = pos + 1;
                while (fits < end && Extent(hdc, text, pos, fits + 1) <= width) ++fits;
            } else {
                fits = pos + 1;
                while (fits < end && text[fits] != ' ') ++fits;
            }
        }
        lines->push_back({pos, fits});
        pos = fits;
        while (pos < end && text[pos] == ' ') ++pos;
    } while (pos < end);
}

std::vector<Line> BreakLines(HDC hdc, const std::string& text, UINT format, int width) {
    std::vector<Line> lines;
    const int length = static_cast<int>(text.size());
    if (format & DT_SINGLELINE) {
        lines.push_back({0, length});
        return lines;
    }
    int begin = 0;
    while (begin <= length) {
        int end = begin;
        while (end < length && text[end] != '\n') ++end;
        int contentEnd = (end > begin && text[end - 1] == '\r') ? end - 1 : end;
        if ((format & DT_WORDBREAK) && contentEnd > begin)
            WrapParagraph(hdc, text, begin, contentEnd, width, (format & DT_EDITCONTROL) != 0, &lines);
        else
            lines.push_back({begin, contentEnd});
        if (end == length) break;
        begin = end + 1;
    }
    return lines;
}

void Underline(HDC hdc, int x, int y, int width) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetTextColor(hdc));
    HGDIOBJ previous = SelectObject(hdc, pen);
    MoveToEx(hdc, x, y, nullptr);
    LineTo(hdc, x + width, y);
    SelectObject(hdc, previous);
    DeleteObject(pen);
}

}  // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format) {
    TEXTMETRICA metrics{};
    if (!text || !rect || !GetTextMetricsA(hdc, &metrics)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (length < 0) length = static_cast<int>(std::strlen(text));
    const ShownText shown = ApplyPrefixes(text, length, (format & DT_NOPREFIX) == 0);
    if (shown.text.empty()) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return 0;
    }
    const int lineHeight = metrics.tmHeight;
    const std::vector<Line> lines = BreakLines(hdc, shown.text, format, rect->right - rect->left);
    const int height = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines) {
            int width = Extent(hdc, shown.text, line.begin, line.end);
            if (width > widest) widest = width;
        }
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect->bottom - lineHeight;
    }
    const UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    int y = top;
    for (const Line& line : lines) {
        const int width = Extent(hdc, shown.text, line.begin, line.end);
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->right - rect->left - width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - width;
        ExtTextOutA(hdc, x, y, options, rect, shown.text.data() + line.begin,
                    static_cast<UINT>(line.end - line.begin), nullptr);
        for (int index : shown.underlined) {
            if (index < line.begin || index >= line.end) continue;
            Underline(hdc, x + Extent(hdc, shown.text, line.begin, index), y + metrics.tmAscent + 1,
                      Extent(hdc, shown.text, index, index + 1));
        }
        y += lineHeight;
    }
    return (top - rect->top) + height;
}
