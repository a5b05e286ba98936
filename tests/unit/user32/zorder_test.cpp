#include "window_fixture.h"

namespace {

class ZOrderTest : public WindowTest {
protected:
    // Top-level windows from the top of the screen down, only those given.
    std::vector<HWND> Order(std::initializer_list<HWND> among) {
        std::vector<HWND> order;
        for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            for (HWND w : among)
                if (w == h) order.push_back(h);
        return order;
    }
};

TEST_F(ZOrderTest, NewWindowsGoOnTopAndActivationRaises) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND b = Make(WS_POPUP | WS_VISIBLE, {50, 50, 150, 150});
    EXPECT_EQ(Order({a, b}), (std::vector<HWND>{b, a}));
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), b);
    SetForegroundWindow(a);
    EXPECT_EQ(Order({a, b}), (std::vector<HWND>{a, b}));
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), a);
}

TEST_F(ZOrderTest, TopmostBandStaysAboveOthersUntilLeft) {
    HWND plain = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND topmost = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, WS_EX_TOPMOST);
    HWND later = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    EXPECT_EQ(Order({plain, topmost, later}), (std::vector<HWND>{topmost, later, plain}));
    SetForegroundWindow(plain);  // activation does not lift a window out of its band
    EXPECT_EQ(Order({plain, topmost, later}), (std::vector<HWND>{topmost, plain, later}));

    SetWindowPos(later, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(GetWindowLongA(later, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Order({plain, topmost, later}), (std::vector<HWND>{later, topmost, plain}));

    SetWindowPos(later, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(GetWindowLongA(later, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Order({plain, topmost, later}), (std::vector<HWND>{topmost, later, plain}));
}

TEST_F(ZOrderTest, OwnedWindowsStayAboveTheirOwner) {
    HWND owner = Make(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    HWND owned = Make(WS_POPUP | WS_VISIBLE, {100, 100, 300, 300}, owner);
    HWND other = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(Order({owner, owned, other}), (std::vector<HWND>{other, owned, owner}));

    // Raising the owner brings what it owns along, above it.
    SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Order({owner, owned, other}), (std::vector<HWND>{owned, owner, other}));

    // The owner made topmost takes its owned window into the band; made plain again, both leave it.
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(GetWindowLongA(owned, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Order({owner, owned, other}), (std::vector<HWND>{owned, owner, other}));
    SetWindowPos(owner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(GetWindowLongA(owned, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ZOrderTest, TopmostOwnedDialogStaysAboveItsPlainOwnerWhenTheOwnerIsRaised) {
    HWND backdrop = Make(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
    HWND dialog = Make(WS_CAPTION | WS_VISIBLE, {100, 100, 300, 300}, backdrop);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(backdrop, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(Order({backdrop, dialog}), (std::vector<HWND>{dialog, backdrop}));
    EXPECT_EQ(WindowFromPoint(POINT{150, 150}), dialog);
}

TEST_F(ZOrderTest, DestroyingAnOwnerDestroysWhatItOwnsAndActivatesTheNext) {
    HWND first = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND owner = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND owned = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}, owner);
    EXPECT_EQ(GetActiveWindow(), owned);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_EQ(GetActiveWindow(), first);
}

TEST_F(ZOrderTest, ChildrenAreHitTestedAndKeepTheirCreationOrder) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
    HWND a = Make(WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top, 0, 1);
    HWND b = Make(WS_CHILD | WS_VISIBLE, {40, 40, 90, 90}, top, 0, 2);
    HWND hidden = Make(WS_CHILD, {100, 100, 150, 150}, top, 0, 3);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetParent(b), top);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), a);
    EXPECT_EQ(WindowFromPoint(POINT{145, 145}), a);  // the earlier sibling lies above
    EXPECT_EQ(WindowFromPoint(POINT{185, 185}), b);
    EXPECT_EQ(WindowFromPoint(POINT{210, 210}), top);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EnableWindow(a, FALSE);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), top);
}

}  // namespace
