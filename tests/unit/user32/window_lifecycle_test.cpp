#include "window_fixture.h"

#include <functional>

namespace {

class WindowLifecycleTest : public WindowTest {};

TEST_F(WindowLifecycleTest, CreationAnnouncesItselfWithTheCreateStruct) {
    static char seenClass[32];
    int creates = 0;
    hook = [&](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT*) {
        if (message == WM_CREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            ++creates;
            EXPECT_EQ(cs->cx, 120);
            EXPECT_EQ(cs->lpCreateParams, nullptr);
            snprintf(seenClass, sizeof seenClass, "%s", cs->lpszClass);
        }
        return false;
    };
    HWND hwnd = Make(WS_POPUP, {10, 10, 130, 60}, nullptr, 0, 0, "Hello");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(creates, 1);
    EXPECT_STREQ(seenClass, kClass);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].message, static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(log[1].message, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 5);
    EXPECT_EQ(FindWindowA("loggingwindow", "Hello"), hwnd);  // class names without regard to case
    EXPECT_EQ(FindWindowA(kClass, "Nobody"), nullptr);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    EXPECT_EQ(pid, GetCurrentProcessId());
}

TEST_F(WindowLifecycleTest, CreateRefusedByTheWindowFailsAndLeavesNothing) {
    hook = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_CREATE) return false;
        *result = -1;
        return true;
    };
    EXPECT_EQ(Make(WS_POPUP, {0, 0, 10, 10}, nullptr, 0, 0, "Refused"), nullptr);
    EXPECT_EQ(FindWindowA(kClass, "Refused"), nullptr);
    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowLifecycleTest, DestroyGoesParentFirstThenChildrenThenNcDestroyAndTheHandleIsStale) {
    HWND parent = Make(WS_POPUP | WS_VISIBLE, {0, 0, 100, 100});
    HWND child = Make(WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, parent, 0, 1);
    HWND grandchild = Make(WS_CHILD | WS_VISIBLE, {0, 0, 20, 20}, child, 0, 2);
    SetFocus(grandchild);
    log.clear();
    ASSERT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const LoggedMessage& m : log)
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY) order.push_back({m.hwnd, m.message});
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {grandchild, WM_DESTROY},
        {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND gone : {parent, child, grandchild}) EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowLifecycleTest, CloseDestroysByDefault) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10});
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    Drain();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowLifecycleTest, StaleAndForgedHandlesAreRefused) {
    HWND live = Make(WS_POPUP, {0, 0, 10, 10});
    HWND stale = Make(WS_POPUP, {0, 0, 10, 10});
    DestroyWindow(stale);
    // A slot used again gives a new handle; the old one still names nothing.
    HWND reused = Make(WS_POPUP, {0, 0, 10, 10});
    EXPECT_NE(reused, stale);
    const HWND refused[] = {stale, reinterpret_cast<HWND>(0x12345), reinterpret_cast<HWND>(~uintptr_t(0) - 7),
                            reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(live) + 1)};
    RECT r;
    char text[8] = "x";
    POINT p = {0, 0};
    const std::vector<std::pair<const char*, std::function<bool(HWND)>>> calls = {
        {"DestroyWindow", [](HWND h) { return DestroyWindow(h) == FALSE; }},
        {"ShowWindow", [](HWND h) { return ShowWindow(h, SW_SHOW) == FALSE; }},
        {"GetWindowRect", [&](HWND h) { return GetWindowRect(h, &r) == FALSE; }},
        {"GetClientRect", [&](HWND h) { return GetClientRect(h, &r) == FALSE; }},
        {"MoveWindow", [](HWND h) { return MoveWindow(h, 0, 0, 1, 1, TRUE) == FALSE; }},
        {"SetWindowPos", [](HWND h) { return SetWindowPos(h, HWND_TOP, 0, 0, 1, 1, 0) == FALSE; }},
        {"SendMessageA", [](HWND h) { return SendMessageA(h, WM_USER, 0, 0) == 0; }},
        {"PostMessageA", [](HWND h) { return PostMessageA(h, WM_USER, 0, 0) == FALSE; }},
        {"SetWindowTextA", [](HWND h) { return SetWindowTextA(h, "x") == FALSE; }},
        {"GetWindowTextA", [&](HWND h) { return GetWindowTextA(h, text, sizeof text) == 0 && text[0] == 0; }},
        {"GetWindowLongPtrA", [](HWND h) { return GetWindowLongPtrA(h, GWL_STYLE) == 0; }},
        {"SetWindowLongPtrA", [](HWND h) { return SetWindowLongPtrA(h, GWLP_USERDATA, 1) == 0; }},
        {"InvalidateRect", [](HWND h) { return InvalidateRect(h, nullptr, TRUE) == FALSE; }},
        {"GetDC", [](HWND h) { return GetDC(h) == nullptr; }},
        {"BeginPaint", [](HWND h) { PAINTSTRUCT ps; return BeginPaint(h, &ps) == nullptr; }},
        {"ClientToScreen", [&](HWND h) { return ClientToScreen(h, &p) == FALSE; }},
        {"EnableWindow", [](HWND h) { return EnableWindow(h, FALSE) == FALSE; }},
        {"SetFocus", [](HWND h) { return SetFocus(h) == nullptr; }},
        {"GetParent", [](HWND h) { return GetParent(h) == nullptr; }},
        {"GetDlgItem", [](HWND h) { return GetDlgItem(h, 1) == nullptr; }},
        {"EndDialog", [](HWND h) { return EndDialog(h, 1) == FALSE; }},
    };
    for (HWND h : refused) {
        for (const auto& [name, call] : calls) {
            SCOPED_TRACE(name);
            SetLastError(0);
            EXPECT_TRUE(call(h));
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
        }
        EXPECT_FALSE(IsWindow(h));
    }
    EXPECT_TRUE(IsWindow(live));
}

}  // namespace
