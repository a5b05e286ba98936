#include "platform/gdi32/gdi_objects.h"
#include "platform/kernel32/profile.h"
#include "ui/drawing_primitives.h"
#include "unit/app/installer_fixture.h"

#include <vector>

namespace {

// A memory context holding a screen-compatible bitmap, filled with one colour.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ before = nullptr;
    int width = 0, height = 0;
};

Canvas MakeCanvas(int width, int height, COLORREF fill) {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    Canvas canvas;
    canvas.dc = CreateCompatibleDC(display);
    canvas.bitmap = CreateCompatibleBitmap(display, width, height);
    DeleteDC(display);
    canvas.before = SelectObject(canvas.dc, canvas.bitmap);
    canvas.width = width;
    canvas.height = height;
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
    return canvas;
}

void FreeCanvas(Canvas& canvas) {
    SelectObject(canvas.dc, canvas.before);
    DeleteDC(canvas.dc);
    DeleteObject(canvas.bitmap);
}

std::vector<COLORREF> PixelsOf(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

std::vector<COLORREF> PixelsOf(HBITMAP bitmap) {
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, bitmap);
    std::vector<COLORREF> pixels = PixelsOf(dc, info.bmWidth, info.bmHeight);
    SelectObject(dc, before);
    DeleteDC(dc);
    return pixels;
}

size_t LiveGdiObjects() {
    return layer::GdiObjects().Count() + layer::DeviceContexts().Count();
}

class DrawingPrimitives : public InstallerTest {
protected:
    HWND MakeWindow(int width, int height) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                      installerState.hInstance, nullptr);
        windows_.push_back(window);
        return window;
    }
    void TearDown() override {
        for (HWND window : windows_) DestroyWindow(window);
        InstallerTest::TearDown();
    }
    std::vector<HWND> windows_;
};

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kCyan = RGB(0, 255, 255);

// 70 x 20: column 0 red, column 1 cyan, then red, with a green key block at columns 40-49.
Canvas MakeLogo() {
    Canvas logo = MakeCanvas(70, 20, kRed);
    RECT key = {40, 0, 50, 20};
    HBRUSH green = CreateSolidBrush(kGreen);
    FillRect(logo.dc, &key, green);
    DeleteObject(green);
    for (int y = 0; y < 20; ++y) SetPixel(logo.dc, 1, y, kCyan);
    SelectObject(logo.dc, logo.before);  // the routine selects the bitmap itself
    return logo;
}

// On a palette display the raster operations combine colour-table indexes, so
// the masks only work when black and white each have one index (0 and 255).
class TransparentCopy : public DrawingPrimitives, public ::testing::WithParamInterface<int> {};

TEST_P(TransparentCopy, KeysOutOneColourAndLeavesTheBitmapAlone) {
    layer::Profile profile = layer::CurrentProfile();
    profile.screenDepth = GetParam();
    layer::SetProfile(profile);
    Canvas logo = MakeLogo();
    const std::vector<COLORREF> original = PixelsOf(logo.bitmap);
    HWND window = MakeWindow(129, 55);
    Canvas screen = MakeCanvas(129, 55, kBlue);
    size_t live = LiveGdiObjects();

    DrawTransparentBitmapCentered(screen.dc, window, logo.bitmap, kGreen);
    // (129 - 70) / 2 = 29, (55 - 20) / 2 = 17.
    EXPECT_EQ(GetPixel(screen.dc, 28, 17), kBlue);
    EXPECT_EQ(GetPixel(screen.dc, 29, 17), kRed);
    EXPECT_EQ(GetPixel(screen.dc, 30, 17), kCyan);
    EXPECT_EQ(GetPixel(screen.dc, 29 + 45, 20), kBlue);  // green keyed out
    EXPECT_EQ(GetPixel(screen.dc, 29 + 69, 17 + 19), kRed);
    EXPECT_EQ(GetPixel(screen.dc, 29 + 70, 17 + 19), kBlue);
    EXPECT_EQ(GetPixel(screen.dc, 29, 16), kBlue);
    EXPECT_EQ(PixelsOf(logo.bitmap), original);
    EXPECT_EQ(LiveGdiObjects(), live);
    FreeCanvas(screen);
    FreeCanvas(logo);
}

INSTANTIATE_TEST_SUITE_P(ScreenDepths, TransparentCopy, ::testing::Values(24, 8));

TEST_F(DrawingPrimitives, TransparentCopyWithAnAbsentKeyIsAPlainCopy) {
    Canvas logo = MakeLogo();
    HWND window = MakeWindow(129, 55);
    Canvas keyed = MakeCanvas(129, 55, kBlue), plain = MakeCanvas(129, 55, kBlue);
    DrawTransparentBitmapCentered(keyed.dc, window, logo.bitmap, RGB(1, 2, 3));
    DrawBitmap(plain.dc, 29, 17, logo.bitmap, SRCCOPY);
    EXPECT_EQ(PixelsOf(keyed.dc, 129, 55), PixelsOf(plain.dc, 129, 55));
    FreeCanvas(keyed);
    FreeCanvas(plain);
    FreeCanvas(logo);
}

TEST_F(DrawingPrimitives, CentringTruncatesTowardZero) {
    Canvas logo = MakeLogo();
    HWND narrow = MakeWindow(67, 20);  // 3 narrower than the bitmap: x = -1, not -2
    Canvas screen = MakeCanvas(67, 20, kBlue);
    DrawTransparentBitmapCentered(screen.dc, narrow, logo.bitmap, kGreen);
    EXPECT_EQ(GetPixel(screen.dc, 0, 5), kCyan);
    EXPECT_EQ(GetPixel(screen.dc, 66, 5), kRed);
    FreeCanvas(screen);
    FreeCanvas(logo);
}

// The maker's logo as stored, centred as Draw3D centres it in a window of this size.
std::vector<COLORREF> StoredLogo(int width, int height) {
    HBITMAP image = (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), "vintlogo", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    Canvas expected = MakeCanvas(width, height, kBlue);
    BITMAP info;
    GetObjectA(image, sizeof info, &info);
    DrawBitmap(expected.dc, (width - info.bmWidth) / 2, (height - info.bmHeight) / 2, image, SRCCOPY);
    std::vector<COLORREF> pixels = PixelsOf(expected.dc, width, height);
    FreeCanvas(expected);
    DeleteObject(image);
    return pixels;
}

class Draw3DTest : public DrawingPrimitives {
protected:
    std::vector<COLORREF> Draw(const char* name, int* result) {
        Canvas screen = MakeCanvas(kWidth, kHeight, kBlue);
        *result = Draw3D(installerState.hInstance, screen.dc, window_, name);
        std::vector<COLORREF> pixels = PixelsOf(screen.dc, kWidth, kHeight);
        FreeCanvas(screen);
        return pixels;
    }
    void SetUp() override {
        DrawingPrimitives::SetUp();
        window_ = MakeWindow(kWidth, kHeight);
    }
    static const int kWidth = 91, kHeight = 224;  // the maker logo area
    HWND window_ = nullptr;
};

TEST_F(Draw3DTest, StandardSchemeDrawsTheStoredGreysTwiceAlike) {
    const std::vector<COLORREF> stored = StoredLogo(kWidth, kHeight);
    int first = -1, second = -1;
    EXPECT_EQ(Draw("vintlogo", &first), stored);
    EXPECT_EQ(Draw("vintlogo", &second), stored);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
}

TEST_F(Draw3DTest, ChangedSchemeRemapsTheGreysDownTheChain) {
    const std::vector<COLORREF> stored = StoredLogo(kWidth, kHeight);
    const INT indexes[] = {COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
    const COLORREF saved[] = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT)};
    struct Scheme { COLORREF shadow, face, highlight, for128, for192, for255; };
    const COLORREF odd = RGB(1, 2, 3);
    const Scheme schemes[] = {
        {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90), RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90)},
        // Shadow turns 128 into 192, which the face test then turns into 255, and so on.
        {RGB(192, 192, 192), RGB(255, 255, 255), odd, odd, odd, odd},
    };
    for (const Scheme& s : schemes) {
        const COLORREF colours[] = {s.shadow, s.face, s.highlight};
        SetSysColors(3, indexes, colours);
        for (int pass = 0; pass < 2; ++pass) {
            int result = -1;
            const std::vector<COLORREF> drawn = Draw("vintlogo", &result);
            EXPECT_EQ(result, 0);
            ASSERT_EQ(drawn.size(), stored.size());
            size_t mismatches = 0;
            for (size_t i = 0; i < stored.size(); ++i) {
                COLORREF expected = stored[i] == RGB(128, 128, 128)   ? s.for128
                                    : stored[i] == RGB(192, 192, 192) ? s.for192
                                    : stored[i] == RGB(255, 255, 255) ? s.for255
                                                                      : stored[i];
                if (drawn[i] != expected) ++mismatches;
            }
            EXPECT_EQ(mismatches, 0u) << "pass " << pass;
        }
    }
    SetSysColors(3, indexes, saved);
}

TEST_F(Draw3DTest, ImageWithoutColourTableOrMissingDrawsNothingAndLeaksNothing) {
    const std::vector<COLORREF> untouched(kWidth * kHeight, kBlue);
    for (const char* name : {"vintbgtc", "nosuchbitmap"}) {
        size_t live = LiveGdiObjects();
        int result = 0;
        EXPECT_EQ(Draw(name, &result), untouched) << name;
        EXPECT_EQ(result, 255) << name;
        EXPECT_EQ(LiveGdiObjects(), live) << name;
    }
}

}  // namespace
