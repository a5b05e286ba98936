// BitBlt between colour and one-bit bitmaps: the raster operations the
// artwork uses and the documented conversions in both directions.
#include "conformance/check.h"
#include "conformance/gdi_fixtures.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

using gdi_conformance::Canvas;

namespace {

const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// A memory context holding a fresh one-bit device-dependent bitmap.
struct Mask {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ previous;
    Mask(int w, int h) : bitmap(CreateBitmap(w, h, 1, 1, nullptr)) { previous = SelectObject(dc, bitmap); }
    ~Mask() {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

}  // namespace

CONFORMANCE_TEST(GdiColourToMonochromeMarksBackgroundColourPixels) {
    Canvas colour(4, 1);
    SetPixel(colour.dc, 0, 0, kGreen);
    SetPixel(colour.dc, 1, 0, kRed);
    SetPixel(colour.dc, 2, 0, RGB(0, 254, 0));
    SetPixel(colour.dc, 3, 0, kWhite);
    Mask mask(4, 1);
    SetBkColor(colour.dc, kGreen);
    CHECK(BitBlt(mask.dc, 0, 0, 4, 1, colour.dc, 0, 0, SRCCOPY));
    // Only the exact background colour becomes 1 (white); even white itself becomes 0.
    CHECK_EQ(GetPixel(mask.dc, 0, 0), kWhite);
    CHECK_EQ(GetPixel(mask.dc, 1, 0), kBlack);
    CHECK_EQ(GetPixel(mask.dc, 2, 0), kBlack);
    CHECK_EQ(GetPixel(mask.dc, 3, 0), kBlack);
}

CONFORMANCE_TEST(GdiPaletteToMonochromeComparesIndexes) {
    // Two entries of one colour: only the entry the background colour maps to becomes 1.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[3];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 4;
    info.header.biHeight = 1;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biClrUsed = 3;
    info.colours[0] = RGBQUAD{0, 255, 0, 0};
    info.colours[1] = RGBQUAD{0, 255, 0, 0};
    info.colours[2] = RGBQUAD{255, 0, 0, 0};
    BYTE* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   reinterpret_cast<void**>(&bits), nullptr, 0);
    CHECK(dib != nullptr);
    if (!dib) return;
    bits[0] = 0;
    bits[1] = 1;
    bits[2] = 2;
    bits[3] = 0;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, dib);
    Mask mask(4, 1);
    for (COLORREF background : {kGreen, RGB(0, 250, 0)}) {  // exact, and nearest to entry 0
        SetBkColor(dc, background);
        CHECK(BitBlt(mask.dc, 0, 0, 4, 1, dc, 0, 0, SRCCOPY));
        CHECK_EQ(GetPixel(mask.dc, 0, 0), kWhite);
        CHECK_EQ(GetPixel(mask.dc, 1, 0), kBlack);
        CHECK_EQ(GetPixel(mask.dc, 2, 0), kBlack);
        CHECK_EQ(GetPixel(mask.dc, 3, 0), kWhite);
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(dib);
}

CONFORMANCE_TEST(GdiMonochromeToColourUsesDestinationTextAndBackground) {
    Mask mask(2, 1);
    SetPixel(mask.dc, 0, 0, kBlack);
    SetPixel(mask.dc, 1, 0, kWhite);
    Canvas colour(2, 1);
    SetTextColor(colour.dc, kRed);
    SetBkColor(colour.dc, kBlue);
    // The source context's colours play no part.
    SetTextColor(mask.dc, kGreen);
    SetBkColor(mask.dc, kGreen);
    CHECK(BitBlt(colour.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCCOPY));
    CHECK_EQ(colour.At(0, 0), kRed);
    CHECK_EQ(colour.At(1, 0), kBlue);
}

CONFORMANCE_TEST(GdiRasterOperationsBetweenMonochromeAndColour) {
    struct Case {
        const char* name;
        DWORD rop;
        COLORREF whereMaskIsBlack;
        COLORREF whereMaskIsWhite;
    };
    // Destination starts as (16, 32, 64); text colour black, background white (the defaults).
    const COLORREF start = RGB(16, 32, 64);
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, kBlack, kWhite},
        {"NOTSRCCOPY", NOTSRCCOPY, kWhite, kBlack},
        {"SRCAND", SRCAND, kBlack, start},
        {"SRCPAINT", SRCPAINT, start, kWhite},
        {"SRCINVERT", SRCINVERT, start, RGB(239, 223, 191)},
    };
    for (const Case& c : cases) {
        Mask mask(2, 1);
        SetPixel(mask.dc, 0, 0, kBlack);
        SetPixel(mask.dc, 1, 0, kWhite);
        Canvas colour(2, 1, start);
        CHECK(BitBlt(colour.dc, 0, 0, 2, 1, mask.dc, 0, 0, c.rop));
        char actual[64], expected[64];
        std::snprintf(actual, sizeof actual, "%s %06lx %06lx", c.name, (unsigned long)colour.At(0, 0),
                      (unsigned long)colour.At(1, 0));
        std::snprintf(expected, sizeof expected, "%s %06lx %06lx", c.name, (unsigned long)c.whereMaskIsBlack,
                      (unsigned long)c.whereMaskIsWhite);
        CHECK_EQ(std::string(actual), std::string(expected));
    }
}

CONFORMANCE_TEST(GdiMaskedCopyKeysOutOneColour) {
    // The transparent drawing recipe: mask from the key colour, then AND and OR.
    Canvas picture(3, 1);
    SetPixel(picture.dc, 0, 0, kGreen);
    SetPixel(picture.dc, 1, 0, kRed);
    SetPixel(picture.dc, 2, 0, kGreen);
    Canvas screen(3, 1, kBlue);
    Mask mask(3, 1), inverse(3, 1);
    SetBkColor(picture.dc, kGreen);
    BitBlt(mask.dc, 0, 0, 3, 1, picture.dc, 0, 0, SRCCOPY);
    SetBkColor(picture.dc, kWhite);
    BitBlt(inverse.dc, 0, 0, 3, 1, mask.dc, 0, 0, NOTSRCCOPY);
    BitBlt(screen.dc, 0, 0, 3, 1, mask.dc, 0, 0, SRCAND);
    BitBlt(picture.dc, 0, 0, 3, 1, inverse.dc, 0, 0, SRCAND);
    BitBlt(screen.dc, 0, 0, 3, 1, picture.dc, 0, 0, SRCPAINT);
    CHECK_EQ(screen.At(0, 0), kBlue);
    CHECK_EQ(screen.At(1, 0), kRed);
    CHECK_EQ(screen.At(2, 0), kBlue);
}

CONFORMANCE_TEST(GdiOneBitDibSectionUsesItsColourTable) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 8;
    info.header.biHeight = 1;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.colours[0] = RGBQUAD{0, 255, 0, 0};    // green
    info.colours[1] = RGBQUAD{255, 0, 255, 0};  // magenta
    BYTE* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   reinterpret_cast<void**>(&bits), nullptr, 0);
    CHECK(dib != nullptr);
    if (!dib) return;
    bits[0] = 0xF0;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, dib);
    Canvas colour(8, 1);
    SetTextColor(colour.dc, kRed);
    SetBkColor(colour.dc, kBlue);
    BitBlt(colour.dc, 0, 0, 8, 1, dc, 0, 0, SRCCOPY);
    CHECK_EQ(colour.At(0, 0), RGB(255, 0, 255));
    CHECK_EQ(colour.At(7, 0), kGreen);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(dib);
}

CONFORMANCE_TEST(GdiDibColorTableCountsAndClipping) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 2;
    info.header.biHeight = 2;
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    info.header.biClrUsed = 3;
    for (int i = 0; i < 3; ++i) info.colours[i] = RGBQUAD{BYTE(i), BYTE(i * 2), BYTE(i * 3), 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, dib);
    RGBQUAD table[256];
    std::memset(table, 0x55, sizeof table);
    // The section's table has the depth's full size, whatever biClrUsed says; unused entries are black.
    CHECK_EQ(GetDIBColorTable(dc, 0, 256, table), 16u);
    CHECK_EQ(table[2].rgbRed, 6);
    CHECK_EQ(table[5].rgbRed + table[5].rgbGreen + table[5].rgbBlue, 0);
    CHECK_EQ(GetDIBColorTable(dc, 1, 256, table), 15u);
    CHECK_EQ(GetDIBColorTable(dc, 15, 4, table), 1u);
    CHECK_EQ(GetDIBColorTable(dc, 16, 1, table), 0u);
    RGBQUAD grey = {192, 192, 192, 0};
    RGBQUAD greys[4] = {grey, grey, grey, grey};
    CHECK_EQ(SetDIBColorTable(dc, 2, 4, greys), 4u);
    CHECK_EQ(SetDIBColorTable(dc, 14, 4, greys), 2u);
    CHECK_EQ(SetDIBColorTable(dc, 16, 4, greys), 0u);
    CHECK_EQ(GetDIBColorTable(dc, 15, 1, table), 1u);
    CHECK_EQ(table[0].rgbGreen, 192);
    // A context holding a device-dependent bitmap has no colour table to give.
    HDC plain = CreateCompatibleDC(nullptr);
    CHECK_EQ(GetDIBColorTable(plain, 0, 2, table), 0u);
    DeleteDC(plain);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(dib);
}

CONFORMANCE_TEST(GdiBitmapSelectionRules) {
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 1, nullptr);
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(first, bitmap);
    CHECK(previous != nullptr);
    CHECK_EQ(GetObjectType(previous), static_cast<DWORD>(OBJ_BITMAP));
    // One bitmap, one context.
    CHECK(SelectObject(second, bitmap) == nullptr);
    // Deleting it while selected succeeds (again too), but it lives until its context lets it go.
    CHECK(DeleteObject(bitmap));
    CHECK(DeleteObject(bitmap));
    CHECK_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    CHECK(DeleteDC(first));
    CHECK_EQ(GetObjectType(bitmap), 0u);
    // A fresh memory context is monochrome, so its compatible bitmaps are too.
    HBITMAP compatible = CreateCompatibleBitmap(second, 3, 3);
    BITMAP info = {};
    CHECK_EQ(GetObjectA(compatible, sizeof info, &info), static_cast<int>(sizeof info));
    CHECK_EQ(info.bmBitsPixel, 1);
    CHECK(DeleteObject(compatible));
    CHECK(DeleteDC(second));
}
