#include "unit/gdi32/gdi_test_support.h"

#include "platform/gdi32/gdi_internal.h"

using gdi_test::DibCanvas;

namespace {

TEST(GdiHandles, StaleAndForeignHandlesAreRefused) {
    HDC deadDc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(deadDc));
    HBITMAP deadBitmap = CreateBitmap(2, 2, 1, 1, nullptr);
    ASSERT_TRUE(DeleteObject(deadBitmap));
    HDC liveDc = CreateCompatibleDC(nullptr);
    HBITMAP liveBitmap = CreateBitmap(2, 2, 1, 1, nullptr);
    RECT rect = {0, 0, 1, 1};
    SIZE size;
    TEXTMETRICA metrics;
    BITMAP info;
    struct Case {
        const char* call;
        bool failed;
    } cases[] = {
        {"DeleteDC twice", !DeleteDC(deadDc)},
        {"DeleteObject twice", !DeleteObject(deadBitmap)},
        {"SelectObject stale dc", SelectObject(deadDc, liveBitmap) == nullptr},
        {"SelectObject stale object", SelectObject(liveDc, deadBitmap) == nullptr},
        {"SelectObject a dc as object", SelectObject(liveDc, liveDc) == nullptr},
        {"DeleteObject a dc", !DeleteObject(liveDc)},
        {"BitBlt stale source", !BitBlt(liveDc, 0, 0, 1, 1, deadDc, 0, 0, SRCCOPY)},
        {"BitBlt stale destination", !BitBlt(deadDc, 0, 0, 1, 1, liveDc, 0, 0, SRCCOPY)},
        {"PatBlt", !PatBlt(deadDc, 0, 0, 1, 1, BLACKNESS)},
        {"GetPixel", GetPixel(deadDc, 0, 0) == CLR_INVALID},
        {"SetBkColor", SetBkColor(deadDc, 0) == CLR_INVALID},
        {"GetObjectA", GetObjectA(deadBitmap, sizeof info, &info) == 0},
        {"GetObjectType", GetObjectType(deadBitmap) == 0},
        {"CreateCompatibleDC", CreateCompatibleDC(deadDc) == nullptr},
        {"CreateCompatibleBitmap", CreateCompatibleBitmap(deadDc, 1, 1) == nullptr},
        {"ExtTextOutA", !ExtTextOutA(deadDc, 0, 0, ETO_OPAQUE, &rect, "a", 1, nullptr)},
        {"GetTextExtentPoint32A", !GetTextExtentPoint32A(deadDc, "a", 1, &size)},
        {"GetTextMetricsA", !GetTextMetricsA(deadDc, &metrics)},
        {"LineTo", !LineTo(deadDc, 1, 1)},
        {"GetDIBColorTable", GetDIBColorTable(deadDc, 0, 1, nullptr) == 0},
        {"SelectObject a stale bitmap as brush", SelectObject(liveDc, reinterpret_cast<HBRUSH>(deadBitmap)) == nullptr},
        {"forged handle", GetObjectType(reinterpret_cast<HGDIOBJ>(uintptr_t(0x1000007f))) == 0},
    };
    for (const Case& c : cases) EXPECT_TRUE(c.failed) << c.call;
    SetLastError(0);
    EXPECT_EQ(SelectObject(liveDc, deadBitmap), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    DeleteDC(liveDc);
    DeleteObject(liveBitmap);
}

TEST(GdiHandles, DrawingReleasesEverythingItMade) {
    size_t objects = layer::LiveGdiObjectCount(), dcs = layer::LiveDcCount();
    {
        DibCanvas screen(16, 16, 32);
        // Masks, compositions and a saved copy, the way the transparent logo is drawn.
        HDC work[4];
        HBITMAP bitmaps[4];
        HGDIOBJ previous[4];
        for (int i = 0; i < 4; ++i) {
            work[i] = CreateCompatibleDC(screen.dc);
            bitmaps[i] = i < 2 ? CreateBitmap(8, 8, 1, 1, nullptr) : CreateCompatibleBitmap(screen.dc, 8, 8);
            previous[i] = SelectObject(work[i], bitmaps[i]);
        }
        for (int i = 0; i < 4; ++i) {
            SelectObject(work[i], previous[i]);
            DeleteObject(bitmaps[i]);
            DeleteDC(work[i]);
        }
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
        HGDIOBJ oldPen = SelectObject(screen.dc, pen);
        LineTo(screen.dc, 5, 5);
        SelectObject(screen.dc, oldPen);
        DeleteObject(pen);
        // A context deleted with a bitmap still in it lets the bitmap go.
        HDC leftover = CreateCompatibleDC(nullptr);
        HBITMAP kept = CreateBitmap(2, 2, 1, 1, nullptr);
        SelectObject(leftover, kept);
        DeleteDC(leftover);
        HDC again = CreateCompatibleDC(nullptr);
        EXPECT_NE(SelectObject(again, kept), nullptr);
        // Deleted while selected: freed when the context goes.
        EXPECT_TRUE(DeleteObject(kept));
        EXPECT_EQ(GetObjectType(kept), DWORD(OBJ_BITMAP));
        DeleteDC(again);
        EXPECT_EQ(GetObjectType(kept), 0u);
    }
    EXPECT_EQ(layer::LiveGdiObjectCount(), objects);
    EXPECT_EQ(layer::LiveDcCount(), dcs);
}

TEST(GdiHandles, StockObjectsSurviveDeletion) {
    for (int index : {WHITE_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT}) {
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr) << index;
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_NE(GetObjectType(stock), 0u) << index;
    }
    EXPECT_EQ(GetStockObject(9), nullptr);
    HFONT dialog = layer::DialogFont();
    EXPECT_TRUE(DeleteObject(dialog));
    EXPECT_EQ(GetObjectType(dialog), DWORD(OBJ_FONT));
}

TEST(GdiHandles, FreshMemoryContextDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
    HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
    HGDIOBJ original = SelectObject(dc, bitmap);
    BITMAP info;
    ASSERT_EQ(GetObjectA(original, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(SelectObject(dc, original), bitmap);
    POINT point = {7, 9};
    EXPECT_TRUE(DPtoLP(dc, &point, 1));
    EXPECT_EQ(point.x, 7);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
