#include "window_fixture.h"

#include "platform/user32/input.h"

namespace {

constexpr UINT kFirst = WM_USER + 1, kSecond = WM_USER + 2, kThird = WM_USER + 3;

class MessageQueueTest : public WindowTest {
protected:
    std::vector<UINT> UserMessages() const {
        std::vector<UINT> order;
        for (const LoggedMessage& m : log)
            if (m.message >= WM_USER) order.push_back(m.message);
        return order;
    }
};

TEST_F(MessageQueueTest, SendIsHandledAtOncePostWaitsForTheLoop) {
    HWND hwnd = Make(WS_POPUP, {0, 0, 50, 50});
    PostMessageA(hwnd, kFirst, 1, 2);
    EXPECT_EQ(SendMessageA(hwnd, kSecond, 0, 0), 0);
    PostMessageA(hwnd, kThird, 0, 0);
    EXPECT_EQ(UserMessages(), (std::vector<UINT>{kSecond}));
    Drain();
    EXPECT_EQ(UserMessages(), (std::vector<UINT>{kSecond, kFirst, kThird}));
    auto first = Received(kFirst);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].wParam, 1u);
    EXPECT_EQ(first[0].lParam, 2);
}

TEST_F(MessageQueueTest, SendReturnsTheProceduresResult) {
    HWND hwnd = Make(WS_POPUP, {0, 0, 50, 50});
    hook = [](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != kFirst) return false;
        *result = static_cast<LRESULT>(wParam * 2);
        return true;
    };
    EXPECT_EQ(SendMessageA(hwnd, kFirst, 21, 0), 42);
    DWORD_PTR answer = 0;
    EXPECT_EQ(SendMessageTimeoutA(hwnd, kFirst, 5, 0, SMTO_ABORTIFHUNG, 1000, &answer), 1);
    EXPECT_EQ(answer, 10u);
}

TEST_F(MessageQueueTest, QuitEndsGetMessageAfterWhatWasPostedBefore) {
    HWND hwnd = Make(WS_POPUP, {0, 0, 50, 50});
    PostMessageA(hwnd, kFirst, 0, 0);
    PostQuitMessage(7);
    PostMessageA(hwnd, kSecond, 0, 0);
    MSG msg;
    std::vector<UINT> seen;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        seen.push_back(msg.message);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(seen, (std::vector<UINT>{kFirst, kSecond}));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(MessageQueueTest, PeekFiltersByWindowAndRangeAndCanLeaveTheMessage) {
    HWND a = Make(WS_POPUP, {0, 0, 50, 50});
    HWND b = Make(WS_POPUP, {0, 0, 50, 50});
    PostMessageA(a, kFirst, 0, 0);
    PostMessageA(b, kSecond, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, kSecond);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, kSecond, kThird, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kFirst);
}

TEST_F(MessageQueueTest, PostedMessagesOfADestroyedWindowAreDropped) {
    HWND hwnd = Make(WS_POPUP, {0, 0, 50, 50});
    PostMessageA(hwnd, kFirst, 0, 0);
    DestroyWindow(hwnd);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, kFirst, kFirst, PM_REMOVE));
}

TEST_F(MessageQueueTest, KeysBecomeCharactersThroughTranslateMessage) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
    SetFocus(hwnd);
    using layer::InputEvent;
    using layer::InputKind;
    // A key alone, a key with the character the display reported, a character alone.
    layer::InjectInput(InputEvent{InputKind::KeyDown, 0, 0, 0, 'A'});
    layer::InjectInput(InputEvent{InputKind::KeyUp, 0, 0, 0, 'A'});
    layer::InjectInput(InputEvent{InputKind::KeyDown, 0, 0, 0, '1'});
    layer::InjectInput(InputEvent{InputKind::Char, 0, 0, 0, '!'});
    layer::InjectInput(InputEvent{InputKind::Char, 0, 0, 0, ':'});
    layer::InjectInput(InputEvent{InputKind::KeyDown, 0, 0, 0, VK_LEFT});
    Drain();
    std::string typed;
    for (const LoggedMessage& m : Received(WM_CHAR, hwnd)) typed += static_cast<char>(m.wParam);
    EXPECT_EQ(typed, "a!:");
    EXPECT_EQ(Received(WM_KEYDOWN, hwnd).size(), 3u);
}

TEST_F(MessageQueueTest, ClicksGoToTheChildUnderThePointUnlessDisabled) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
    HWND child = Make(WS_CHILD | WS_VISIBLE, {10, 20, 60, 70}, top, 0, 5);
    using layer::InputEvent;
    using layer::InputKind;
    layer::InjectInput(InputEvent{InputKind::ButtonDown, 115, 125, 1, 0});
    layer::InjectInput(InputEvent{InputKind::ButtonUp, 115, 125, 1, 0});
    Drain();
    auto down = Received(WM_LBUTTONDOWN, child);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].lParam, MAKELPARAM(5, 5));
    EXPECT_EQ(Received(WM_LBUTTONUP, child).size(), 1u);

    // A click on a caption activates the window but is no client click.
    HWND captioned = Make(WS_CAPTION | WS_VISIBLE, {400, 100, 600, 200});
    SetForegroundWindow(top);
    layer::InjectInput(InputEvent{InputKind::ButtonDown, 500, 110, 1, 0});
    Drain();
    EXPECT_EQ(GetActiveWindow(), captioned);
    EXPECT_TRUE(Received(WM_LBUTTONDOWN, captioned).empty());
    EXPECT_TRUE(Received(WM_CLOSE, captioned).empty());

    // A press on the close box of a window with a system menu closes it.
    HWND closable = Make(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {400, 300, 600, 400});
    Drain();
    layer::InjectInput(InputEvent{InputKind::ButtonDown, 600 - 3 - 10, 300 + 3 + 9, 1, 0});
    Drain();
    EXPECT_FALSE(IsWindow(closable));

    // Capture takes the mouse wherever it is.
    SetCapture(child);
    layer::InjectInput(InputEvent{InputKind::MouseMove, 250, 250, 0, 0});
    Drain();
    EXPECT_EQ(Received(WM_MOUSEMOVE, child).size(), 1u);
    ReleaseCapture();

    log.clear();
    EnableWindow(top, FALSE);
    layer::InjectInput(InputEvent{InputKind::ButtonDown, 115, 125, 1, 0});
    Drain();
    EXPECT_TRUE(Received(WM_LBUTTONDOWN).empty());
}

}  // namespace
