#include "control_host.h"
#include "platform/user32/event_sources.h"
#include "platform/user32/message_box_observer.h"

#include <functional>

namespace {

constexpr UINT kActWhileBoxIsUp = WM_USER + 1;
constexpr char kCaption[] = "Installer Query";
constexpr char kText[] = "You Are Upgrading a Previously Installed Copy of Tesmara - Continue?";

// Acts as a person (or a robot in another process) would while a box is up:
// a message posted before MessageBoxA reaches the host through the box's own loop.
class MessageBoxTest : public ControlHostTest {
protected:
    bool HostMessageHook(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) override {
        if (message == WM_PAINT && answerOnPaint) PostMessageA(answerOnPaint, WM_COMMAND, IDOK, 0);
        if (message != kActWhileBoxIsUp) return false;
        HWND box = FindWindowA("#32770", kCaption);
        boxFound = box != nullptr;
        ownerEnabledWhileUp = IsWindowEnabled(host) != FALSE;
        if (box && act) act(box);
        *result = 0;
        return true;
    }

    int ShowBox(HWND owner, UINT type, std::function<void(HWND)> action) {
        act = std::move(action);
        PostMessageA(host, kActWhileBoxIsUp, 0, 0);
        return MessageBoxA(owner, kText, kCaption, type);
    }

    std::function<void(HWND)> act;
    bool boxFound = false;
    bool ownerEnabledWhileUp = true;
    HWND answerOnPaint = nullptr;  // a box to answer once the host has painted
};

void PostKey(HWND box, WPARAM key) { PostMessageA(GetFocus() ? GetFocus() : box, WM_KEYDOWN, key, 0); }

TEST_F(MessageBoxTest, ReturnsTheAnswerGivenWhileItIsUp) {
    struct Case {
        const char* name;
        UINT type;
        std::function<void(HWND)> action;
        int expected;
    };
    const Case cases[] = {
        {"a robot posts No", MB_YESNO, [](HWND box) { PostMessageA(box, WM_COMMAND, IDNO, 0); }, IDNO},
        {"a click on Yes", MB_YESNO, [](HWND box) { SendMessageA(GetDlgItem(box, IDYES), BM_CLICK, 0, 0); }, IDYES},
        {"Enter presses the first button", MB_YESNO, [](HWND box) { PostKey(box, VK_RETURN); }, IDYES},
        {"Enter presses the focused button", MB_OKCANCEL,
         [](HWND box) {
             SetFocus(GetDlgItem(box, IDCANCEL));
             PostKey(box, VK_RETURN);
         },
         IDCANCEL},
        {"Escape cancels", MB_OKCANCEL, [](HWND box) { PostKey(box, VK_ESCAPE); }, IDCANCEL},
        {"Escape on OK alone", MB_OK, [](HWND box) { PostKey(box, VK_ESCAPE); }, IDOK},
        {"Escape and closing do nothing to Yes/No", MB_YESNO,
         [](HWND box) {
             PostKey(box, VK_ESCAPE);
             PostMessageA(box, WM_CLOSE, 0, 0);
             PostMessageA(box, WM_COMMAND, IDCANCEL, 0);  // not one of its buttons
             PostMessageA(box, WM_COMMAND, IDNO, 0);
         },
         IDNO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShowBox(host, c.type | MB_ICONQUESTION, c.action), c.expected);
        EXPECT_TRUE(boxFound);
        EXPECT_EQ(FindWindowA("#32770", kCaption), nullptr);  // gone when it returns
    }
}

// The box's loop serves the whole thread: the disabled owner still repaints,
// and here only that paint answers the box.
TEST_F(MessageBoxTest, DisablesItsOwnerWhileUpAndOtherWindowsStillPaint) {
    EXPECT_EQ(ShowBox(host, MB_OK | MB_ICONERROR,
                      [&](HWND box) {
                          answerOnPaint = box;
                          InvalidateRect(host, nullptr, TRUE);
                      }),
              IDOK);
    EXPECT_FALSE(ownerEnabledWhileUp);
    EXPECT_TRUE(IsWindowEnabled(host));
}

TEST_F(MessageBoxTest, AnOwnerAlreadyDisabledStaysDisabled) {
    EnableWindow(host, FALSE);
    EXPECT_EQ(ShowBox(host, MB_OK, [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }), IDOK);
    EXPECT_FALSE(IsWindowEnabled(host));
}

TEST_F(MessageBoxTest, WithoutOwnerOtherWindowsStayUsableAndTheBoxIsOnTop) {
    bool topmost = false;
    EXPECT_EQ(ShowBox(nullptr, MB_OK | MB_ICONERROR,
                      [&](HWND box) {
                          topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                          PostMessageA(box, WM_COMMAND, IDOK, 0);
                      }),
              IDOK);
    EXPECT_TRUE(ownerEnabledWhileUp);
    EXPECT_TRUE(topmost);
}

// What a robot in another process relies on: the dialog class, the text in
// static 0xFFFF, and buttons with the standard identifiers.
TEST_F(MessageBoxTest, TheBoxIsADialogWithStandardControls) {
    std::string text, yes, no, className;
    RECT boxRect{};
    EXPECT_EQ(ShowBox(host, MB_YESNO | MB_ICONQUESTION,
                      [&](HWND box) {
                          char buffer[300] = {};
                          GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                          text = buffer;
                          GetWindowTextA(GetDlgItem(box, IDYES), buffer, sizeof buffer);
                          yes = buffer;
                          GetWindowTextA(GetDlgItem(box, IDNO), buffer, sizeof buffer);
                          no = buffer;
                          GetClassNameA(box, buffer, sizeof buffer);
                          className = buffer;
                          GetWindowRect(box, &boxRect);
                          PostMessageA(box, WM_COMMAND, IDYES, 0);
                      }),
              IDYES);
    EXPECT_EQ(text, kText);
    EXPECT_EQ(yes, "&Yes");
    EXPECT_EQ(no, "&No");
    EXPECT_EQ(className, "#32770");
    // Centred on the screen, truncating as the installer's own centring does.
    EXPECT_LE(std::abs((boxRect.left + boxRect.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
    EXPECT_LE(std::abs((boxRect.top + boxRect.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);
}

int g_wakePipe[2];

// Stands for another process's SendMessageA, which arrives while the box's loop waits.
void AnswerBySending() {
    char byte;
    if (read(g_wakePipe[0], &byte, 1) != 1) return;
    layer::RemoveEventSource(g_wakePipe[0]);
    SendMessageA(FindWindowA("#32770", kCaption), WM_COMMAND, IDOK, 0);
}

TEST_F(MessageBoxTest, AnAnswerSentFromOutsideEndsTheWait) {
    ASSERT_EQ(pipe(g_wakePipe), 0);
    layer::AddEventSource(g_wakePipe[0], AnswerBySending);
    ASSERT_EQ(write(g_wakePipe[1], "x", 1), 1);
    EXPECT_EQ(MessageBoxA(host, kText, kCaption, MB_OKCANCEL), IDOK);
    close(g_wakePipe[0]);
    close(g_wakePipe[1]);
}

struct ObservedBox {
    HWND owner;
    std::string text, caption;
    UINT type;
    bool windowCreated;
};
ObservedBox g_observed;

int ObserveAndSayNo(HWND owner, const char* text, const char* caption, UINT type) {
    g_observed = {owner, text, caption, type, FindWindowA("#32770", nullptr) != nullptr};
    return IDNO;
}

TEST_F(MessageBoxTest, TheObserverAnswersInsteadOfTheLoop) {
    layer::SetMessageBoxObserver(ObserveAndSayNo);
    EXPECT_EQ(MessageBoxA(host, kText, kCaption, MB_YESNO | MB_ICONQUESTION), IDNO);
    layer::SetMessageBoxObserver(nullptr);
    EXPECT_EQ(g_observed.owner, host);
    EXPECT_EQ(g_observed.text, kText);
    EXPECT_EQ(g_observed.caption, kCaption);
    EXPECT_EQ(g_observed.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_FALSE(g_observed.windowCreated);
    EXPECT_TRUE(IsWindowEnabled(host));
}

TEST_F(MessageBoxTest, FailsWithTheWin32Codes) {
    HWND stale = AddControl("STATIC", "", SS_LEFT, RECT{0, 0, 1, 1}, 1);
    DestroyWindow(stale);
    SetLastError(0);
    EXPECT_EQ(MessageBoxA(stale, "text", "caption", MB_OK), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_EQ(MessageBoxA(host, "text", "caption", 0x7), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
}

}  // namespace
