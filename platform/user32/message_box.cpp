// MessageBoxA: a modal "#32770" window holding the message (static 0xFFFF),
// the type's icon and push buttons with the standard identifiers, so that a
// program in another process can find it, read it and answer it with
// WM_COMMAND as it would on Windows.
#include "platform/gdi32/gdi_internal.h"
#include "platform/user32/message_box_observer.h"

#include <string>

namespace layer {
namespace {

MessageBoxObserver g_observer = nullptr;

constexpr int kMessageTextId = 0xFFFF;
constexpr int kMargin = 11;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

struct ButtonSet {
    int count;
    const char* labels[3];
    int ids[3];
    int escapeId;  // what Escape and closing answer; 0 when the box has no such way out
};

// Indexed by the type's MB_TYPEMASK bits.
const ButtonSet kButtonSets[] = {
    {1, {"OK"}, {IDOK}, IDOK},
    {2, {"OK", "Cancel"}, {IDOK, IDCANCEL}, IDCANCEL},
    {3, {"&Abort", "&Retry", "&Ignore"}, {IDABORT, IDRETRY, IDIGNORE}, 0},
    {3, {"&Yes", "&No", "Cancel"}, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
    {2, {"&Yes", "&No"}, {IDYES, IDNO}, 0},
    {2, {"&Retry", "Cancel"}, {IDRETRY, IDCANCEL}, IDCANCEL},
};

LPCSTR SystemIconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR: return IDI_HAND;
        case MB_ICONQUESTION: return IDI_QUESTION;
        case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
        case MB_ICONINFORMATION: return IDI_ASTERISK;
        default: return nullptr;
    }
}

struct Box {
    const ButtonSet* buttons;
    HICON icon;
    WNDPROC dialogProc;  // the "#32770" class procedure, for everything the box leaves alone
    int answer = 0;
};

Box* BoxOf(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

bool HasButton(const Box* box, int id) {
    for (int i = 0; i < box->buttons->count; ++i)
        if (box->buttons->ids[i] == id) return true;
    return false;
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Box* box = BoxOf(hwnd);
    if (!box) return DefWindowProcA(hwnd, message, wParam, lParam);
    // An answer can come in a message sent from another process, handled while the
    // loop waits for posted ones: a posted WM_NULL wakes the loop to see it.
    auto answer = [hwnd, box](int id) {
        if (!id) return;
        box->answer = id;
        PostMessageA(hwnd, WM_NULL, 0, 0);
    };
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && HasButton(box, LOWORD(wParam))) answer(LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            answer(box->buttons->escapeId);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC hdc = BeginPaint(hwnd, &paint);
            if (hdc && box->icon) DrawIcon(hdc, kMargin, kMargin, box->icon);
            EndPaint(hwnd, &paint);
            return 0;
        }
    }
    return CallWindowProcA(box->dialogProc, hwnd, message, wParam, lParam);
}

// The message wrapped to at most maxWidth in the dialog font.
SIZE MeasureText(const char* text, int maxWidth, UINT format) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(hdc, DialogFont());
    RECT rect = {0, 0, maxWidth, 0};
    DrawTextA(hdc, text, -1, &rect, format | DT_CALCRECT);
    SelectObject(hdc, previous);
    DeleteDC(hdc);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

HWND TopLevelOf(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return hwnd;
}

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool CreateChild(HWND box, const char* className, const char* text, DWORD style, RECT r, int id) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                 nullptr);
    if (!child) return false;
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    return true;
}

// Builds the hidden box: text beside the icon, the buttons centred below, the
// whole sized to its content and centred on the screen.
HWND CreateBox(HWND owner, const char* text, const char* caption, UINT type, Box* box) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int iconSize = box->icon ? GetSystemMetrics(SM_CXICON) : 0;
    const UINT textFormat = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
    const SIZE textSize = MeasureText(text, screenWidth / 2, textFormat);
    const SIZE captionSize = MeasureText(caption, screenWidth, DT_SINGLELINE | DT_NOPREFIX);

    const int textLeft = kMargin + (iconSize ? iconSize + kMargin : 0);
    const int contentHeight = textSize.cy > iconSize ? textSize.cy : iconSize;
    const int buttonsWidth = box->buttons->count * kButtonWidth + (box->buttons->count - 1) * kButtonGap;
    int clientWidth = textLeft + textSize.cx + kMargin;
    if (clientWidth < buttonsWidth + 2 * kMargin) clientWidth = buttonsWidth + 2 * kMargin;
    if (clientWidth < captionSize.cx * 5 / 4 + 2 * kMargin) clientWidth = captionSize.cx * 5 / 4 + 2 * kMargin;
    const int buttonsTop = kMargin + contentHeight + kMargin + 3;
    const int clientHeight = buttonsTop + kButtonHeight + kMargin;

    const bool topmost = !owner || IsTopmost(owner) || (type & MB_TOPMOST);
    HWND hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME | (topmost ? WS_EX_TOPMOST : 0), "#32770", caption,
                                WS_POPUP | WS_CAPTION, 0, 0, clientWidth, clientHeight, owner, nullptr, nullptr,
                                nullptr);
    if (!hwnd) return nullptr;
    box->dialogProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc));

    // The frame around the client area is the window manager's: measure it on the real window.
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    const int width = clientWidth + (window.right - window.left) - (client.right - client.left);
    const int height = clientHeight + (window.bottom - window.top) - (client.bottom - client.top);
    MoveWindow(hwnd, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height, FALSE);

    const int textTop = kMargin + (contentHeight - textSize.cy) / 2;
    bool complete = CreateChild(hwnd, "STATIC", text, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                                RECT{textLeft, textTop, textLeft + textSize.cx, textTop + textSize.cy}, kMessageTextId);
    int x = (clientWidth - buttonsWidth) / 2;
    for (int i = 0; i < box->buttons->count; ++i) {
        DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        complete = complete && CreateChild(hwnd, "BUTTON", box->buttons->labels[i], style,
                                           RECT{x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight},
                                           box->buttons->ids[i]);
        x += kButtonWidth + kButtonGap;
    }
    // A box that could not get all its parts could never be answered: fail instead.
    if (!complete) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(box->dialogProc));
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

// Enter presses the focused button, else the default one; Escape answers as
// closing does; Tab moves the focus from button to button.
bool HandleBoxKey(HWND hwnd, Box* box, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != hwnd && GetParent(msg.hwnd) != hwnd)) return false;
    const ButtonSet& buttons = *box->buttons;
    int focused = -1;
    for (int i = 0; i < buttons.count; ++i)
        if (GetFocus() == GetDlgItem(hwnd, buttons.ids[i])) focused = i;
    switch (msg.wParam) {
        case VK_RETURN:
            box->answer = buttons.ids[focused >= 0 ? focused : 0];
            return true;
        case VK_ESCAPE:
            box->answer = buttons.escapeId;
            return true;
        case VK_TAB:
            SetFocus(GetDlgItem(hwnd, buttons.ids[(focused + 1) % buttons.count]));
            return true;
    }
    return false;
}

// Runs the thread's messages, all windows included, until the box is answered.
void RunModalLoop(HWND hwnd, Box* box) {
    while (!box->answer && IsWindow(hwnd)) {
        MSG msg;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the box unanswered and stays in the queue for the program's own loop.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (HandleBoxKey(hwnd, box, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void SetMessageBoxObserver(MessageBoxObserver observer) { g_observer = observer; }

}  // namespace layer

using namespace layer;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const UINT buttonType = type & MB_TYPEMASK;
    if (buttonType >= sizeof(kButtonSets) / sizeof(kButtonSets[0])) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    if (!text) text = "";
    if (!caption) caption = "Error";
    if (g_observer) return g_observer(owner, text, caption, type);

    Box box;
    box.buttons = &kButtonSets[buttonType];
    LPCSTR iconName = SystemIconFor(type);
    box.icon = iconName ? LoadIconA(nullptr, iconName) : nullptr;

    HWND topOwner = TopLevelOf(owner);
    HWND hwnd = CreateBox(topOwner, text, caption, type, &box);
    if (!hwnd) return 0;
    // An owner that was already disabled keeps that state afterwards.
    const bool disableOwner = topOwner && IsWindowEnabled(topOwner);
    if (disableOwner) EnableWindow(topOwner, FALSE);
    ShowWindow(hwnd, SW_SHOW);
    SetFocus(GetDlgItem(hwnd, box.buttons->ids[0]));
    UpdateWindow(hwnd);

    RunModalLoop(hwnd, &box);

    // The owner comes back before the box goes, so that activation returns to it.
    if (disableOwner && IsWindow(topOwner)) EnableWindow(topOwner, TRUE);
    if (IsWindow(hwnd)) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(box.dialogProc));
        DestroyWindow(hwnd);
    }
    return box.answer;
}
