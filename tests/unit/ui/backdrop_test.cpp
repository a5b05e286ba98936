#include "ui/backdrop.h"
#include "unit/app/installer_fixture.h"

namespace {

struct Screen {
    int width, height, depth;
    int tileSide;
    int tiles;
};

class BackdropGrid : public InstallerTest, public ::testing::WithParamInterface<Screen> {
protected:
    void Configure(layer::Profile& profile) override {
        profile.screenWidth = GetParam().width;
        profile.screenHeight = GetParam().height;
        profile.screenDepth = GetParam().depth;
    }
};

COLORREF TilePixel(HBITMAP tile, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, tile);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, before);
    DeleteDC(dc);
    return pixel;
}

TEST_P(BackdropGrid, TilesTheScreenFromTheTopLeftCorner) {
    const Screen screen = GetParam();
    CreateBackdrop();
    PumpMessages();
    ASSERT_EQ(installerState.tileWidth, screen.tileSide);
    ASSERT_EQ(installerState.tileHeight, screen.tileSide);
    EXPECT_EQ(installerState.screenWidth, screen.width);
    EXPECT_EQ(installerState.screenHeight, screen.height);
    RECT frame;
    GetWindowRect(installerState.backdropWindow, &frame);
    EXPECT_EQ(frame.right - frame.left, screen.width);
    EXPECT_EQ(frame.bottom - frame.top, screen.height);

    // Every grid cell, the cut-off last row and column included, shows the tile from its corner.
    const int side = screen.tileSide;
    const int probes[] = {0, 1, side / 3, side / 2, side - 1};
    int cells = 0;
    for (int y = 0; y < screen.height; y += side) {
        for (int x = 0; x < screen.width; x += side) {
            ++cells;
            for (int dy : probes) {
                for (int dx : probes) {
                    if (x + dx >= screen.width || y + dy >= screen.height) continue;
                    ASSERT_EQ(ScreenPixel(x + dx, y + dy), TilePixel(installerState.backdropBitmap, dx, dy))
                        << x + dx << "," << y + dy;
                }
            }
        }
    }
    EXPECT_EQ(cells, screen.tiles);
}

INSTANTIATE_TEST_SUITE_P(ByDepth, BackdropGrid,
                         ::testing::Values(Screen{800, 600, 24, 256, 12}, Screen{640, 480, 8, 128, 20},
                                           Screen{800, 600, 16, 256, 12}, Screen{800, 600, 4, 128, 35}));

using Backdrop = InstallerTest;

TEST_F(Backdrop, SessionEndThenCloseReleasesTheTileOnce) {
    CreateBackdrop();
    PumpMessages();
    HWND backdrop = installerState.backdropWindow;
    HBITMAP tile = installerState.backdropBitmap;
    ASSERT_NE(tile, nullptr);

    SendMessageA(backdrop, WM_ENDSESSION, FALSE, 0);  // a session end that was cancelled
    EXPECT_TRUE(IsWindow(backdrop));
    EXPECT_EQ(installerState.backdropBitmap, nullptr);
    EXPECT_EQ(GetObjectType(tile), 0u);
    // Painted again without the tile: the plain desktop colour, nothing drawn from a dead handle.
    InvalidateRect(backdrop, nullptr, TRUE);
    UpdateWindow(backdrop);
    EXPECT_EQ(ScreenPixel(10, 10), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(ScreenPixel(799, 599), GetSysColor(COLOR_BACKGROUND));

    SendMessageA(backdrop, WM_ENDSESSION, TRUE, 0);
    SendMessageA(backdrop, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(backdrop));
    PumpMessages();
    EXPECT_EQ(quitCode_, 0);
}

}  // namespace
