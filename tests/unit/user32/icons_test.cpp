#include "window_fixture.h"

#include "platform/user32/icon_image.h"

#include <cstring>

namespace {

class IconsTest : public WindowTest {};

TEST_F(IconsTest, GroupIconResourceGivesTheImageOfTheSizeAsked) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), "aamain");  // stored as AAMAIN
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "AAMAIN"), icon);  // one shared handle per name
    layer::IconImage* image = layer::IconFromHandle(icon);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    layer::IconImage small;
    ASSERT_TRUE(layer::LoadIconResource(GetModuleHandleA(nullptr), "aamain", 16, &small));
    EXPECT_EQ(small.width, 16);
    // A shared icon survives DestroyIcon; a handle that names nothing is refused.
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_NE(layer::IconFromHandle(icon), nullptr);
    SetLastError(0);
    EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(0x7123)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "nosuchicon"), nullptr);
}

TEST_F(IconsTest, SystemIconsDrawTheirShapeAndLeaveTheCornersAlone) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 60});
    Drain();
    struct Case {
        LPCSTR id;
        POINT inside;
        COLORREF colour;
    };
    const Case cases[] = {
        {IDI_HAND, {15, 5}, RGB(255, 0, 0)},
        {IDI_EXCLAMATION, {15, 25}, RGB(255, 255, 0)},
        {IDI_QUESTION, {8, 12}, RGB(255, 255, 255)},
        {IDI_ASTERISK, {8, 12}, RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(c.id));
        HICON icon = LoadIconA(nullptr, c.id);
        ASSERT_NE(icon, nullptr);
        HDC hdc = GetDC(hwnd);
        EXPECT_TRUE(DrawIcon(hdc, 10, 10, icon));
        ReleaseDC(hwnd, hdc);
        EXPECT_EQ(ClientPixel(hwnd, 10 + c.inside.x, 10 + c.inside.y), c.colour);
        EXPECT_EQ(ClientPixel(hwnd, 10, 10), GetSysColor(COLOR_BTNFACE));  // transparent corner
        InvalidateRect(hwnd, nullptr, TRUE);
        Drain();
    }
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

TEST_F(IconsTest, MalformedIconImagesAreRefused) {
    // A 2 x 2 4-bit image claiming more colours than the bytes hold, then the same cut short.
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 16 * 4 + 8 + 8, 0);
    BITMAPINFOHEADER h = {sizeof h, 2, 4, 1, 4, BI_RGB, 0, 0, 0, 0, 0};
    std::memcpy(dib.data(), &h, sizeof h);
    layer::IconImage image;
    EXPECT_TRUE(layer::DecodeIconDib(dib.data(), dib.size(), &image));
    for (size_t length : {size_t(0), sizeof h, sizeof h + 10, dib.size() - 9})
        EXPECT_FALSE(layer::DecodeIconDib(dib.data(), length, &image)) << length;
    h.biClrUsed = 1000;
    std::memcpy(dib.data(), &h, sizeof h);
    EXPECT_FALSE(layer::DecodeIconDib(dib.data(), dib.size(), &image));
}

}  // namespace
