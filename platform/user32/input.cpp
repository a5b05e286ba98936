#include "platform/user32/input.h"

#include "platform/user32/event_sources.h"
#include "platform/user32/window_geometry.h"
#include "platform/user32/window_ops.h"

#define HTCLIENT 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATEANDEAT 4
#define MA_NOACTIVATE 3

namespace layer {
namespace {

struct KeyboardState {
    bool shift = false;
    unsigned nextKey = 0;          // slot given to the next WM_KEYDOWN (in its scan-code field)
    bool lastKeyOpen = false;      // the last event was a KeyDown still waiting for its character
    unsigned characters[256] = {}; // the character X reported for each slot, 0 = none
};

KeyboardState& Keyboard() {
    static KeyboardState state;
    return state;
}

POINT& Cursor() {
    static POINT cursor;
    return cursor;
}

bool AcceptsInput(Window* w) {
    for (; w; w = w->parent ? WindowFromHandle(w->parent) : nullptr)
        if (w->style & WS_DISABLED) return false;
    return true;
}

void DeliverMouse(const InputEvent& e) {
    WindowManager& wm = Wm();
    Cursor() = POINT{e.x, e.y};
    Window* target = wm.capture ? WindowFromHandle(wm.capture) : WindowAtScreenPoint(Cursor());
    if (!target || (!wm.capture && !AcceptsInput(target))) return;
    HWND hwnd = target->hwnd;
    UINT message = e.kind == InputKind::MouseMove ? WM_MOUSEMOVE
                   : e.kind == InputKind::ButtonDown ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (e.kind != InputKind::MouseMove && e.button != 1) return;  // only the left button is used
    if (e.kind == InputKind::ButtonDown) {
        Window* top = TopLevelOf(target);
        if (top->hwnd != wm.active) {
            LRESULT answer = SendMessageA(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->hwnd),
                                          MAKELPARAM(HTCLIENT, message));
            if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) ActivateWindow(top->hwnd);
            if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return;
        }
        if (!(target = WindowFromHandle(hwnd))) return;
    }
    POINT origin = ClientOriginOnScreen(target);
    RECT client = ClientRectInWindow(target);
    OffsetRect(&client, origin.x - client.left, origin.y - client.top);
    // The frame and caption take no client mouse messages (there is no moving or sizing either);
    // a press on the close box closes the window.
    if (!wm.capture && !PtInRect(&client, Cursor())) {
        RECT box = CloseBoxInWindow(target);
        OffsetRect(&box, target->rect.left, target->rect.top);
        if (e.kind == InputKind::ButtonDown && !target->parent && PtInRect(&box, Cursor()))
            PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return;
    }
    WPARAM buttons = (e.kind == InputKind::ButtonDown) ? MK_LBUTTON : 0;
    PostMessageA(hwnd, message, buttons, MAKELPARAM(e.x - origin.x, e.y - origin.y));
}

// Modifiers, navigation and function keys never come with a character of their own.
bool MayTypeCharacter(unsigned vk) {
    bool modifier = vk >= VK_SHIFT && vk <= 0x14;
    bool navigation = vk >= 0x21 && vk <= 0x2E;
    bool function = vk >= 0x70 && vk <= 0x87;
    return !modifier && !navigation && !function;
}

HWND KeyboardTarget() {
    WindowManager& wm = Wm();
    HWND target = wm.focus ? wm.focus : wm.active;
    Window* w = WindowFromHandle(target);
    return w && AcceptsInput(w) ? target : nullptr;
}

void DeliverKey(const InputEvent& e) {
    KeyboardState& k = Keyboard();
    if (e.kind == InputKind::Char) {
        bool attached = k.lastKeyOpen;
        k.lastKeyOpen = false;
        if (attached) {
            k.characters[(k.nextKey - 1) & 0xFF] = e.key & 0xFF;
        } else if (HWND target = KeyboardTarget()) {
            PostMessageA(target, WM_CHAR, e.key & 0xFF, 1);
        }
        return;
    }
    k.lastKeyOpen = false;
    if (e.key == VK_SHIFT) k.shift = e.kind == InputKind::KeyDown;
    HWND target = KeyboardTarget();
    if (!target) return;
    if (e.kind == InputKind::KeyDown) {
        unsigned slot = k.nextKey++ & 0xFF;
        k.characters[slot] = 0;
        k.lastKeyOpen = MayTypeCharacter(e.key);
        PostMessageA(target, WM_KEYDOWN, e.key, static_cast<LPARAM>(1 | (slot << 16)));
    } else {
        PostMessageA(target, WM_KEYUP, e.key, static_cast<LPARAM>(0xC0000001u));
    }
}

void DrainDisplayInput() {
    InputEvent event{};
    while (DisplayNextInput(&event)) InjectInput(event);
    // The display reports a key's character together with the key, never in a later batch.
    Keyboard().lastKeyOpen = false;
}

}  // namespace

void InjectInput(const InputEvent& event) {
    if (event.kind == InputKind::MouseMove || event.kind == InputKind::ButtonDown ||
        event.kind == InputKind::ButtonUp) {
        Keyboard().lastKeyOpen = false;
        DeliverMouse(event);
    } else {
        DeliverKey(event);
    }
}

void ConnectDisplayInput() {
    int fd = DisplayInputFd();
    if (fd >= 0) AddEventSource(fd, DrainDisplayInput);
}

unsigned CharacterForKeyDown(const MSG& msg) {
    KeyboardState& k = Keyboard();
    unsigned slot = (static_cast<unsigned long>(msg.lParam) >> 16) & 0xFF;
    if (unsigned c = k.characters[slot]) {
        k.characters[slot] = 0;
        return c;
    }
    unsigned vk = static_cast<unsigned>(msg.wParam);
    if (vk >= 'A' && vk <= 'Z') return k.shift ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return vk;
    switch (vk) {
    case VK_BACK: case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_SPACE: return vk;
    default: return 0;
    }
}

POINT CursorPosition() { return Cursor(); }

bool ShiftKeyDown() { return Keyboard().shift; }

}  // namespace layer
