// DrawTextA: lines, word breaks, alignment and '&' prefixes, drawn with
// the DC's font, colours and background mode.
#include "platform/win32.h"

#include <cstring>
#include <string>
#include <vector>

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
