#include "window_fixture.h"

namespace {

WNDPROC originalProc = nullptr;
std::vector<UINT> subclassSaw;

LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    subclassSaw.push_back(message);
    if (message == WM_USER + 7) return 99;  // answered here, never reaches the class procedure
    return CallWindowProcA(originalProc, hwnd, message, wParam, lParam);
}

class WindowLongTest : public WindowTest {};

TEST_F(WindowLongTest, SubclassingThroughTheWindowProcedureSlot) {
    HWND hwnd = Make(WS_POPUP, {0, 0, 50, 50});
    subclassSaw.clear();
    originalProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    ASSERT_NE(originalProc, nullptr);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)),
              reinterpret_cast<LONG_PTR>(originalProc));
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 7, 0, 0), 99);
    EXPECT_TRUE(Received(WM_USER + 7).empty());
    PostMessageA(hwnd, WM_USER + 8, 0, 0);
    Drain();
    EXPECT_EQ(subclassSaw, (std::vector<UINT>{WM_USER + 7, WM_USER + 8}));
    EXPECT_EQ(Received(WM_USER + 8).size(), 1u);  // handed on to the class procedure
    // Other windows of the class are not affected.
    HWND other = Make(WS_POPUP, {0, 0, 50, 50});
    EXPECT_EQ(GetWindowLongPtrA(other, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(originalProc));
}

TEST_F(WindowLongTest, ThirtyTwoBitFormRefusesPointerSlotsOnThisLayer) {
    if (sizeof(LONG_PTR) == sizeof(LONG)) GTEST_SKIP() << "a 32-bit layer carries pointers in a LONG";
    HWND hwnd = Make(WS_POPUP, {0, 0, 50, 50});
    LONG_PTR proc = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongA(hwnd, GWL_WNDPROC, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), proc);  // unchanged
}

TEST_F(WindowLongTest, StylesIdUserDataAndExtraBytes) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND child = Make(WS_CHILD | WS_VISIBLE | WS_TABSTOP, {0, 0, 10, 10}, parent, 0, 42);
    EXPECT_EQ(GetWindowLongA(child, GWL_ID), 42);
    EXPECT_EQ(GetDlgCtrlID(child), 42);
    EXPECT_EQ(GetDlgItem(parent, 42), child);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP);
    SetWindowLongPtrA(child, GWLP_USERDATA, 0x5151);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 0x5151);

    // The class gives 16 extra bytes: offsets 0..8 hold a pointer-sized value, 12 a LONG.
    EXPECT_EQ(SetWindowLongPtrA(parent, 8, 0x0102030405060708LL & static_cast<LONG_PTR>(~0ULL)), 0);
    EXPECT_EQ(GetWindowLongPtrA(parent, 8), 0x0102030405060708LL & static_cast<LONG_PTR>(~0ULL));
    EXPECT_EQ(SetWindowLongA(parent, 12, 77), static_cast<LONG>(GetWindowLongA(parent, 12)));
    EXPECT_EQ(GetWindowLongA(parent, 12), 77);
    const int outside[] = {13, 16, 100, -100};
    for (int index : outside) {
        SCOPED_TRACE(index);
        SetLastError(0);
        EXPECT_EQ(GetWindowLongA(parent, index), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    }
}

TEST_F(WindowLongTest, OwnerChangesThatWouldMakeACycleAreRefused) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    HWND b = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50}, a);
    EXPECT_EQ(SetWindowLongPtrA(a, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(b)), 0);
    EXPECT_EQ(SetWindowLongPtrA(a, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(a)), 0);
    EXPECT_EQ(GetWindow(a, GW_OWNER), nullptr);
    SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // must not loop
    EXPECT_EQ(GetWindow(b, GW_OWNER), a);
}

}  // namespace
