#include "control_host.h"

#include <cstring>

namespace {

constexpr int kStaticId = 113;
constexpr COLORREF kParentPaint = RGB(255, 0, 0);
constexpr COLORREF kMessageText = RGB(0, 0, 64);

// The parent paints into the static's DC and returns a hollow brush, as the
// installer does for its logos and its message text.
class StaticControlTest : public ControlHostTest {
protected:
    bool HostMessageHook(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != WM_CTLCOLORSTATIC || !answer) return false;
        HDC hdc = reinterpret_cast<HDC>(wParam);
        seenHandle = reinterpret_cast<HWND>(lParam);
        *result = reinterpret_cast<LRESULT>(answer(hdc));
        return true;
    }

    HBRUSH (*answer)(HDC) = nullptr;
    HWND seenHandle = nullptr;

    // How many pixels of the control show each colour.
    int CountPixels(HWND control, COLORREF colour) {
        RECT client;
        GetClientRect(control, &client);
        int count = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) count += ClientPixel(control, x, y) == colour;
        return count;
    }
};

HBRUSH PaintRedThenHollow(HDC hdc) {
    HBRUSH red = CreateSolidBrush(kParentPaint);
    RECT all = {0, 0, 1000, 1000};
    FillRect(hdc, &all, red);
    DeleteObject(red);
    SetTextColor(hdc, kMessageText);
    SetBkMode(hdc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

TEST_F(StaticControlTest, HollowBrushKeepsWhatTheParentDrewAndTextTakesItsColour) {
    answer = PaintRedThenHollow;
    HWND control = AddControl("STATIC", "Welcome", SS_LEFT, RECT{10, 10, 210, 50}, kStaticId);
    UpdateWindow(host);
    Pump();
    EXPECT_EQ(seenHandle, control);
    const int area = 200 * 40;
    const int text = CountPixels(control, kMessageText);
    EXPECT_GT(text, 0);
    EXPECT_EQ(CountPixels(control, kParentPaint) + text, area);  // transparent: no cell background
}

TEST_F(StaticControlTest, ReturnedBrushFillsTheControl) {
    answer = [](HDC) { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); };
    HWND control = AddControl("STATIC", "", SS_LEFT, RECT{10, 10, 60, 30}, kStaticId);
    UpdateWindow(host);
    Pump();
    EXPECT_EQ(CountPixels(control, RGB(0, 0, 0)), 50 * 20);
}

TEST_F(StaticControlTest, NewTextIsPaintedAndEmptyTextDrawsNone) {
    HWND control = AddControl("STATIC", "", SS_SIMPLE, RECT{10, 10, 110, 30}, kStaticId);
    UpdateWindow(host);
    Pump();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(CountPixels(control, face), 100 * 20);

    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Total Disk Space Used: 2477K     "));
    Pump();
    EXPECT_GT(CountPixels(control, GetSysColor(COLOR_WINDOWTEXT)), 0);
}

// Where the ink lands: the leftmost and lowest text pixels of each style.
TEST_F(StaticControlTest, TextIsPlacedByItsStyle) {
    const char* text = "Vintrel Software Tesmara 98 Skyledger";
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    SIZE size{};
    HDC screen = GetDC(host);
    HGDIOBJ old = SelectObject(screen, layer::DialogFont());
    GetTextExtentPoint32A(screen, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(screen, old);
    ReleaseDC(host, screen);

    struct Case {
        const char* name;
        DWORD style;
        int width;
        int leftMin, leftMax;  // first column with ink
        bool wraps;            // ink below the first line
    };
    const int wide = size.cx + 40;
    const Case cases[] = {
        {"left", SS_LEFT, wide, 0, 2, false},
        {"centre", SS_CENTER, wide, 18, 22, false},
        {"left wraps when narrow", SS_LEFT, size.cx / 2, 0, 2, true},
        {"simple never wraps", SS_SIMPLE, size.cx / 2, 0, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND control = AddControl("STATIC", text, c.style, RECT{10, 10, 10 + c.width, 10 + 3 * size.cy}, kStaticId);
        UpdateWindow(host);
        Pump();
        int left = -1;
        bool below = false;
        for (int x = 0; x < c.width && left < 0; ++x)
            for (int y = 0; y < size.cy; ++y)
                if (ClientPixel(control, x, y) == ink) left = x;
        for (int y = size.cy; y < 3 * size.cy && !below; ++y)
            for (int x = 0; x < c.width; ++x) below |= ClientPixel(control, x, y) == ink;
        EXPECT_GE(left, c.leftMin);
        EXPECT_LE(left, c.leftMax);
        EXPECT_EQ(below, c.wraps);
        DestroyWindow(control);
    }
}

TEST_F(StaticControlTest, EtchedLineIsShadowOverHighlight) {
    HWND line = AddControl("STATIC", "", SS_ETCHEDHORZ, RECT{10, 10, 110, 12}, -1);
    UpdateWindow(host);
    Pump();
    for (int x : {0, 50, 98}) {
        EXPECT_EQ(ClientPixel(line, x, 0), GetSysColor(COLOR_BTNSHADOW)) << x;
        EXPECT_EQ(ClientPixel(line, x, 1), GetSysColor(COLOR_BTNHIGHLIGHT)) << x;
    }
}

WNDPROC g_staticProc = nullptr;

// Paints the whole control itself, then hands the message on, as the installer's progress bar does.
LRESULT CALLBACK PaintGreenFirst(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC hdc = BeginPaint(hwnd, &paint);
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        FillRect(hdc, &client, green);
        DeleteObject(green);
        EndPaint(hwnd, &paint);
    }
    return CallWindowProcA(g_staticProc, hwnd, message, wParam, lParam);
}

TEST_F(StaticControlTest, ASubclassThatPaintedFirstIsNotPaintedOver) {
    HWND bar = AddControl("STATIC", "", SS_SIMPLE, RECT{10, 10, 60, 30}, 107);
    g_staticProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(bar, GWLP_WNDPROC));
    SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintGreenFirst));
    UpdateWindow(host);
    Pump();
    EXPECT_EQ(CountPixels(bar, RGB(0, 255, 0)), 50 * 20);
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
    EXPECT_EQ(CountPixels(bar, RGB(0, 255, 0)), 50 * 20);
}

}  // namespace
