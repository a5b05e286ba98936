#include "unit/gdi32/gdi_test_support.h"

namespace {

TEST(LoadBitmap, ProgramResourcesByNameWithoutRegardToCase) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    struct Case { const char* name; int width, height; } cases[] = {
        {"vintbg", 128, 128}, {"VINTBGTC", 256, 256}, {"tesmaralogo", 191, 70}, {"VintLogo", 70, 217},
    };
    for (const Case& c : cases) {
        HBITMAP bitmap = LoadBitmapA(instance, c.name);
        ASSERT_NE(bitmap, nullptr) << c.name;
        BITMAP info;
        ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), int(sizeof info));
        EXPECT_EQ(info.bmWidth, c.width) << c.name;
        EXPECT_EQ(info.bmHeight, c.height) << c.name;
        EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL)) << c.name;
        EXPECT_TRUE(DeleteObject(bitmap));
    }
    EXPECT_EQ(LoadBitmapA(instance, "nosuchbitmap"), nullptr);
    DeleteDC(screen);
}

TEST(LoadBitmap, LoadImageGivesADibSectionWithItsOwnColourTable) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HANDLE first = LoadImageA(instance, "vintlogo", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    HANDLE second = LoadImageA(instance, "vintlogo", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    BITMAP info;
    ASSERT_EQ(GetObjectA(first, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 8);
    EXPECT_NE(info.bmBits, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, first);
    RGBQUAD table[256];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
    EXPECT_EQ(table[192].rgbRed, 192);
    table[192] = RGBQUAD{1, 2, 3, 0};
    SetDIBColorTable(dc, 192, 1, &table[192]);
    // The other copy keeps its own table.
    SelectObject(dc, second);
    ASSERT_EQ(GetDIBColorTable(dc, 192, 1, table), 1u);
    EXPECT_EQ(table[0].rgbRed, 192);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(first);
    DeleteObject(second);
    EXPECT_EQ(LoadImageA(instance, "vintlogo", IMAGE_BITMAP, 10, 10, LR_CREATEDIBSECTION), nullptr);
    EXPECT_EQ(LoadImageA(instance, "nosuch", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
}

}  // namespace
