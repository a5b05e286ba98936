#include "ui/backdrop.h"

#include "app/installer_state.h"
#include "ui/drawing_primitives.h"

namespace {

int DisplayDepth() {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    int depth = GetDeviceCaps(display, BITSPIXEL) * GetDeviceCaps(display, PLANES);
    DeleteDC(display);
    return depth;
}

// A session end that is later cancelled leaves the window open after the tile is gone;
// the field is cleared so the tile is neither drawn nor released again.
void ReleaseTile() {
    if (!installerState.backdropBitmap) return;
    DeleteObject(installerState.backdropBitmap);
    installerState.backdropBitmap = nullptr;
}

}  // namespace

void CreateBackdrop() {
    InstallerState& state = installerState;
    if (!state.hPrevInstance) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_VREDRAW | CS_HREDRAW;
        windowClass.lpfnWndProc = BackdropWndProc;
        windowClass.hInstance = state.hInstance;
        windowClass.hIcon = LoadIconA(state.hInstance, "aamain");
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = (HBRUSH)GetStockObject(NULL_BRUSH);
        windowClass.lpszClassName = "VintFlashWin";
        RegisterClassA(&windowClass);
    }
    state.backdropBitmap = LoadBitmapA(state.hInstance, DisplayDepth() > 8 ? "vintbgtc" : "vintbg");
    BITMAP tile = {};
    GetObjectA(state.backdropBitmap, sizeof tile, &tile);
    state.tileWidth = tile.bmWidth;
    state.tileHeight = tile.bmHeight;
    state.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    state.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExA(0, "VintFlashWin", "Vintrel Installer", WS_POPUP | WS_VISIBLE, 0, 0,
                                  state.screenWidth, state.screenHeight, nullptr, nullptr, state.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    state.backdropWindow = window;
    UpdateWindow(window);
}

int PaintBackdrop(HWND hwnd) {
    const InstallerState& state = installerState;
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    // Without a tile (or with an empty one) the grid walk would never advance.
    if (state.backdropBitmap && state.tileWidth > 0 && state.tileHeight > 0) {
        for (int y = 0; y < state.screenHeight; y += state.tileHeight)
            for (int x = 0; x < state.screenWidth; x += state.tileWidth)
                DrawBitmap(hdc, x, y, state.backdropBitmap, SRCCOPY);
    } else {
        RECT whole = {0, 0, state.screenWidth, state.screenHeight};
        FillRect(hdc, &whole, GetSysColorBrush(COLOR_BACKGROUND));
    }
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT CALLBACK BackdropWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return PaintBackdrop(hwnd);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
    case WM_ENDSESSION:
        ReleaseTile();
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
