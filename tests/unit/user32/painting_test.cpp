#include "window_fixture.h"

namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);

class PaintingTest : public WindowTest {
protected:
    // Paints the whole update area of a window in one colour.
    void PaintIn(HWND hwnd, COLORREF colour) {
        auto previous = hook;
        hook = [=](HWND target, UINT message, WPARAM w, LPARAM l, LRESULT* result) {
            if (target != hwnd || message != WM_PAINT) return previous && previous(target, message, w, l, result);
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hwnd, &ps);
            lastPaint = ps.rcPaint;
            HBRUSH brush = CreateSolidBrush(colour);
            HGDIOBJ old = SelectObject(hdc, brush);
            PatBlt(hdc, -1000, -1000, 3000, 3000, PATCOPY);  // the paint's clip keeps it inside
            SelectObject(hdc, old);
            DeleteObject(brush);
            EndPaint(hwnd, &ps);
            *result = 0;
            return true;
        };
    }

    RECT lastPaint = {};
};

TEST_F(PaintingTest, PaintComesOnlyWhenNothingIsPostedAndErasesFirst) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {10, 10, 110, 110});
    PostMessageA(hwnd, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&msg);
    // The class brush erased the client area, and the window was validated.
    EXPECT_EQ(Received(WM_ERASEBKGND, hwnd).size(), 1u);
    EXPECT_EQ(ClientPixel(hwnd, 50, 50), kFace);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(PaintingTest, OnlyTheInvalidRectangleIsRepainted) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
    PaintIn(hwnd, RGB(255, 0, 0));
    Drain();
    EXPECT_EQ(ClientPixel(hwnd, 150, 50), RGB(255, 0, 0));
    PaintIn(hwnd, RGB(0, 0, 255));
    RECT part = {0, 0, 100, 100};
    InvalidateRect(hwnd, &part, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &part));
    UpdateWindow(hwnd);
    EXPECT_TRUE(EqualRect(&lastPaint, &part));
    EXPECT_EQ(ClientPixel(hwnd, 50, 50), RGB(0, 0, 255));
    EXPECT_EQ(ClientPixel(hwnd, 150, 50), RGB(255, 0, 0));
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

TEST_F(PaintingTest, ValidatedWindowsGetNoPaint) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    ValidateRect(hwnd, nullptr);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    RECT right = {50, 0, 100, 100}, left = {0, 0, 50, 100};
    InvalidateRect(hwnd, nullptr, FALSE);
    ValidateRect(hwnd, &right);
    RECT update;
    GetUpdateRect(hwnd, &update, FALSE);
    EXPECT_TRUE(EqualRect(&update, &left));
}

TEST_F(PaintingTest, ParentPaintsBeforeItsChildrenAndInvalidatingItRepaintsThem) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
    HWND child = Make(WS_CHILD | WS_VISIBLE, {50, 50, 100, 100}, parent, 0, 1);
    PaintIn(parent, RGB(255, 0, 0));
    PaintIn(child, RGB(0, 255, 0));
    Drain();
    std::vector<HWND> painted;
    for (const LoggedMessage& m : Received(WM_PAINT)) painted.push_back(m.hwnd);
    EXPECT_EQ(painted, (std::vector<HWND>{parent, child}));
    EXPECT_EQ(ClientPixel(parent, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(child, 10, 10), RGB(0, 255, 0));

    // The parent's paint covers the child's pixels too, so the child repaints after it.
    log.clear();
    RECT overlap = {40, 40, 70, 70};
    InvalidateRect(parent, &overlap, TRUE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.right, 20);
    Drain();
    EXPECT_EQ(ClientPixel(child, 5, 5), RGB(0, 255, 0));

    // Hiding the child lets the parent paint where it was.
    ShowWindow(child, SW_HIDE);
    Drain();
    EXPECT_EQ(ClientPixel(parent, 75, 75), RGB(255, 0, 0));
}

TEST_F(PaintingTest, ScreenShowsWindowsInZOrderOverTheDesktop) {
    HWND below = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND above = Make(WS_POPUP | WS_VISIBLE, {50, 50, 150, 150});
    PaintIn(below, RGB(255, 0, 0));
    PaintIn(above, RGB(0, 0, 255));
    Drain();
    EXPECT_EQ(ScreenPixel(25, 25), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(75, 75), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(300, 300), GetSysColor(COLOR_BACKGROUND));
    // Uncovered without a repaint: the window below kept its picture.
    ShowWindow(above, SW_HIDE);
    EXPECT_EQ(ScreenPixel(75, 75), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(120, 120), GetSysColor(COLOR_BACKGROUND));
}

TEST_F(PaintingTest, CaptionAndDialogFrameAreDrawnInTheSchemeColours) {
    HWND hwnd = Make(WS_CAPTION | DS_MODALFRAME | WS_VISIBLE, {100, 100, 300, 200}, nullptr, 0, 0, "Title");
    Drain();
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 200 - 2 * 3);
    EXPECT_EQ(client.bottom, 100 - 2 * 3 - GetSystemMetrics(SM_CYCAPTION));
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin.x, 103);
    EXPECT_EQ(origin.y, 103 + 19);
    EXPECT_EQ(ScreenPixel(100, 100), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(ScreenPixel(101, 101), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenPixel(299, 199), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ScreenPixel(298, 198), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(290, 105), GetSysColor(COLOR_ACTIVECAPTION));
    // A control's own style bits that share DS_MODALFRAME's value (ES_AUTOHSCROLL, SS_NOPREFIX) give it no frame.
    HWND control = Make(WS_CHILD | WS_VISIBLE | DS_MODALFRAME, {0, 0, 40, 20}, hwnd, 0, 1);
    GetClientRect(control, &client);
    EXPECT_EQ(client.right, 40);
    EXPECT_EQ(client.bottom, 20);
    // Another window activated: the caption turns inactive.
    Make(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
    Drain();
    EXPECT_EQ(ScreenPixel(290, 105), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(PaintingTest, ChangedSchemeRepaintsEverythingInTheNewColours) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    Drain();
    HBRUSH faceBrush = GetSysColorBrush(COLOR_BTNFACE);
    INT index = COLOR_BTNFACE;
    COLORREF teal = RGB(0, 128, 128);
    ASSERT_TRUE(SetSysColors(1, &index, &teal));
    EXPECT_EQ(Received(WM_SYSCOLORCHANGE, hwnd).size(), 1u);
    Drain();
    EXPECT_EQ(ClientPixel(hwnd, 50, 50), teal);
    EXPECT_NE(GetSysColorBrush(COLOR_BTNFACE), faceBrush);
    COLORREF grey = RGB(192, 192, 192);
    SetSysColors(1, &index, &grey);
}

TEST_F(PaintingTest, ReleaseDCReleasesOnlyWindowContextsAndEachOnce) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(ReleaseDC(hwnd, memory), 0);
    EXPECT_NE(GetObjectType(memory), 0u);  // still usable
    DeleteDC(memory);
    HDC window = GetDC(hwnd);
    EXPECT_EQ(ReleaseDC(hwnd, window), 1);
    EXPECT_EQ(ReleaseDC(hwnd, window), 0);
}

}  // namespace
