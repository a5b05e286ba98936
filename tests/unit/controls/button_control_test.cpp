#include "control_host.h"

namespace {

constexpr int kButtonId = 109;
constexpr int kCheckId = 103;

class ButtonControlTest : public ControlHostTest {
protected:
    HWND AddPushButton() { return AddControl("BUTTON", "Cancel", BS_PUSHBUTTON, RECT{20, 20, 101, 44}, kButtonId); }
    HWND AddCheckBox() {
        return AddControl("BUTTON", "Show Tesmara Taskbar Icon at System Startup", BS_AUTOCHECKBOX,
                          RECT{20, 60, 280, 79}, kCheckId);
    }
    // The check state the parent reads while it handles each BN_CLICKED of the check box.
    bool HostMessageHook(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) override {
        if (message == WM_COMMAND && LOWORD(wParam) == kCheckId)
            checkSeenByParent.push_back(SendMessageA(reinterpret_cast<HWND>(lParam), BM_GETCHECK, 0, 0));
        return false;
    }
    std::vector<LRESULT> checkSeenByParent;

    size_t Clicks(int id) const {
        size_t count = 0;
        for (WORD code : CommandsFrom(id)) count += code == BN_CLICKED;
        return count;
    }
};

void Mouse(HWND button, UINT message, int x, int y) {
    SendMessageA(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

// A click is a press and a release inside; the pressed look follows the mouse while held.
TEST_F(ButtonControlTest, ClickOnlyWhenReleasedInside) {
    struct Case {
        const char* name;
        POINT moves[2];
        int moveCount;
        POINT release;
        size_t clicks;
    };
    const Case cases[] = {
        {"down and up inside", {}, 0, {10, 10}, 1},
        {"released outside", {{200, 10}}, 1, {200, 10}, 0},
        {"out and back in", {{200, 10}, {5, 5}}, 2, {5, 5}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND button = AddPushButton();
        received.clear();
        Mouse(button, WM_LBUTTONDOWN, 10, 10);
        EXPECT_EQ(GetCapture(), button);
        EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
        for (int i = 0; i < c.moveCount; ++i) {
            Mouse(button, WM_MOUSEMOVE, c.moves[i].x, c.moves[i].y);
            RECT client;
            GetClientRect(button, &client);
            bool inside = PtInRect(&client, c.moves[i]);
            EXPECT_EQ((SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0, inside);
        }
        EXPECT_EQ(Clicks(kButtonId), 0u);  // nothing before the release
        Mouse(button, WM_LBUTTONUP, c.release.x, c.release.y);
        EXPECT_EQ(Clicks(kButtonId), c.clicks);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
        DestroyWindow(button);
    }
}

TEST_F(ButtonControlTest, TheNotificationNamesTheButton) {
    HWND button = AddPushButton();
    received.clear();
    SendMessageA(button, BM_CLICK, 0, 0);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(received[0].wParam, MAKEWPARAM(kButtonId, BN_CLICKED));
    EXPECT_EQ(reinterpret_cast<HWND>(received[0].lParam), button);
}

TEST_F(ButtonControlTest, SpaceClicksTheFocusedButtonOnRelease) {
    HWND button = AddPushButton();
    SetFocus(button);
    received.clear();
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);
    EXPECT_EQ(Clicks(kButtonId), 0u);
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(Clicks(kButtonId), 1u);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_FOCUS);
}

TEST_F(ButtonControlTest, CheckBoxTogglesBeforeItNotifies) {
    HWND box = AddCheckBox();
    Mouse(box, WM_LBUTTONDOWN, 5, 5);
    Mouse(box, WM_LBUTTONUP, 5, 5);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_EQ(checkSeenByParent, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonControlTest, SetCheckChangesTheBoxSilently) {
    HWND box = AddCheckBox();
    received.clear();
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0) & BST_CHECKED, BST_CHECKED);
    SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(CommandsFrom(kCheckId).empty());

    HWND button = AddPushButton();  // a push button has no check to set
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonControlTest, CheckBoxDrawsItsMarkInAWhiteBox) {
    HWND box = AddCheckBox();
    UpdateWindow(host);
    Pump();
    RECT client;
    GetClientRect(box, &client);
    const int top = (client.bottom - 13) / 2;
    EXPECT_EQ(ClientPixel(box, 0, top), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ClientPixel(box, 12, top + 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ClientPixel(box, 3, top + 5), GetSysColor(COLOR_WINDOW));

    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    Pump();
    EXPECT_EQ(ClientPixel(box, 3, top + 5), GetSysColor(COLOR_WINDOWTEXT));  // the mark's left stroke
    // The parent chose the colours of the box's background and text.
    bool askedParent = false;
    for (const HostMessage& m : received)
        askedParent |= m.message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(m.lParam) == box;
    EXPECT_TRUE(askedParent);
}

TEST_F(ButtonControlTest, PushButtonLooksRaisedThenPressed) {
    HWND button = AddPushButton();
    UpdateWindow(host);
    Pump();
    RECT client;
    GetClientRect(button, &client);
    EXPECT_EQ(ClientPixel(button, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ClientPixel(button, client.right - 1, client.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(ClientPixel(button, client.right - 2, client.bottom - 2), GetSysColor(COLOR_BTNSHADOW));

    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    Pump();
    EXPECT_EQ(ClientPixel(button, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ClientPixel(button, client.right - 1, client.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
}

}  // namespace
