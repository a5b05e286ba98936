#include "ui/drawing_primitives.h"

namespace {

// Halving a signed difference truncates toward zero, so an oversized bitmap overhangs both sides.
POINT CentreIn(HWND window, int width, int height) {
    RECT frame;
    GetWindowRect(window, &frame);
    POINT origin = {(frame.right - frame.left - width) / 2, (frame.bottom - frame.top - height) / 2};
    return origin;
}

// The bitmap's size in the logical units of hdc.
POINT LogicalSize(HDC hdc, const BITMAP& info) {
    POINT size = {info.bmWidth, info.bmHeight};
    DPtoLP(hdc, &size, 1);
    return size;
}

bool MatchesGrey(const RGBQUAD& entry, BYTE level) {
    return entry.rgbRed == level && entry.rgbGreen == level && entry.rgbBlue == level;
}

void SetFromColorref(RGBQUAD& entry, COLORREF colour) {
    entry.rgbRed = GetRValue(colour);
    entry.rgbGreen = GetGValue(colour);
    entry.rgbBlue = GetBValue(colour);
}

// Each test sees what the one before left, so one entry can be replaced down the chain.
void RemapGreysToButtonColours(RGBQUAD* table, UINT count) {
    for (UINT i = 0; i < count; ++i) {
        if (MatchesGrey(table[i], 128)) SetFromColorref(table[i], GetSysColor(COLOR_BTNSHADOW));
        if (MatchesGrey(table[i], 192)) SetFromColorref(table[i], GetSysColor(COLOR_BTNFACE));
        if (MatchesGrey(table[i], 255)) SetFromColorref(table[i], GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

}  // namespace

void DrawBitmap(HDC hdc, int x, int y, HBITMAP bitmap, DWORD rop) {
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof info, &info)) return;
    HDC memory = CreateCompatibleDC(hdc);
    SelectObject(memory, bitmap);
    SetMapMode(memory, GetMapMode(hdc));
    POINT size = LogicalSize(hdc, info);
    BitBlt(hdc, x, y, size.x, size.y, memory, 0, 0, rop);
    DeleteDC(memory);
}

void DrawTransparentBitmapCentered(HDC hdc, HWND window, HBITMAP bitmap, COLORREF keyColour) {
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof info, &info)) return;
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ sourceBefore = SelectObject(source, bitmap);
    POINT size = LogicalSize(source, info);
    int w = size.x, h = size.y;
    POINT at = CentreIn(window, info.bmWidth, info.bmHeight);

    HDC inverseMask = CreateCompatibleDC(hdc);
    HDC mask = CreateCompatibleDC(hdc);
    HDC composition = CreateCompatibleDC(hdc);
    HDC saved = CreateCompatibleDC(hdc);
    HGDIOBJ inverseMaskBefore = SelectObject(inverseMask, CreateBitmap(w, h, 1, 1, nullptr));
    HGDIOBJ maskBefore = SelectObject(mask, CreateBitmap(w, h, 1, 1, nullptr));
    HGDIOBJ compositionBefore = SelectObject(composition, CreateCompatibleBitmap(hdc, w, h));
    HGDIOBJ savedBefore = SelectObject(saved, CreateCompatibleBitmap(hdc, w, h));
    SetMapMode(source, GetMapMode(hdc));

    BitBlt(saved, 0, 0, w, h, source, 0, 0, SRCCOPY);
    COLORREF oldBackground = SetBkColor(source, keyColour);
    BitBlt(mask, 0, 0, w, h, source, 0, 0, SRCCOPY);
    // Rows below combine one-bit and colour bitmaps, which needs the default black and white.
    SetBkColor(source, oldBackground);
    BitBlt(inverseMask, 0, 0, w, h, mask, 0, 0, NOTSRCCOPY);
    BitBlt(composition, 0, 0, w, h, hdc, at.x, at.y, SRCCOPY);
    BitBlt(composition, 0, 0, w, h, mask, 0, 0, SRCAND);
    BitBlt(source, 0, 0, w, h, inverseMask, 0, 0, SRCAND);
    BitBlt(composition, 0, 0, w, h, source, 0, 0, SRCPAINT);
    BitBlt(hdc, at.x, at.y, w, h, composition, 0, 0, SRCCOPY);
    BitBlt(source, 0, 0, w, h, saved, 0, 0, SRCCOPY);

    DeleteObject(SelectObject(inverseMask, inverseMaskBefore));
    DeleteObject(SelectObject(mask, maskBefore));
    DeleteObject(SelectObject(composition, compositionBefore));
    DeleteObject(SelectObject(saved, savedBefore));
    DeleteDC(inverseMask);
    DeleteDC(mask);
    DeleteDC(composition);
    DeleteDC(saved);
    SelectObject(source, sourceBefore);
    DeleteDC(source);
}

int Draw3D(HINSTANCE hInstance, HDC hdc, HWND window, const char* resourceName) {
    // A fresh copy every time, so earlier remaps never accumulate.
    HBITMAP image = (HBITMAP)LoadImageA(hInstance, resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image) return 255;
    BITMAP info = {};
    GetObjectA(image, sizeof info, &info);
    POINT size = LogicalSize(hdc, info);
    if (info.bmPlanes * info.bmBitsPixel > 8) {
        DeleteObject(image);
        return 255;
    }
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(memory, image);
    RGBQUAD table[256] = {};
    UINT count = GetDIBColorTable(memory, 0, 256, table);
    RemapGreysToButtonColours(table, count);
    SetDIBColorTable(memory, 0, count, table);
    POINT at = CentreIn(window, info.bmWidth, info.bmHeight);
    BitBlt(hdc, at.x, at.y, size.x, size.y, memory, 0, 0, SRCCOPY);
    SelectObject(memory, before);
    DeleteDC(memory);
    DeleteObject(image);
    return 0;
}
