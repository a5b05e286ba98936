// The one message queue: posted messages, WM_QUIT, and WM_PAINT made from
// invalid regions when nothing is posted; waiting happens in the event sources.
#include "platform/user32/message_queue.h"

#include "platform/ipc/ipc.h"
#include "platform/user32/event_sources.h"
#include "platform/user32/input.h"
#include "platform/user32/paint_scheduling.h"
#include "platform/user32/window_ops.h"

#include <deque>
#include <vector>

namespace layer {
namespace {

// As on Windows, a queue holds at most this many posted messages.
constexpr size_t kMaxPostedMessages = 10000;

std::deque<MSG>& Posted() {
    static std::deque<MSG> posted;
    return posted;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg = {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    msg.pt = CursorPosition();
    return msg;
}

bool InRange(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool ForWindow(HWND msgWindow, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return msgWindow == nullptr;
    return msgWindow && IsSelfOrAncestor(filter, msgWindow);
}

// Takes (or, without PM_REMOVE, copies) the next message that matches, in Windows' order:
// posted messages, then WM_QUIT, then WM_PAINT.
bool NextMessage(MSG* msg, HWND filter, UINT first, UINT last, UINT remove) {
    WindowManager& wm = Wm();
    auto& posted = Posted();
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if (!InRange(it->message, first, last) || !ForWindow(it->hwnd, filter)) continue;
        *msg = *it;
        if (remove & PM_REMOVE) posted.erase(it);
        return true;
    }
    if (wm.quitPending && InRange(WM_QUIT, first, last)) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(wm.quitCode), 0);
        if (remove & PM_REMOVE) wm.quitPending = false;
        return true;
    }
    if (InRange(WM_PAINT, first, last) && filter != reinterpret_cast<HWND>(-1)) {
        if (Window* w = FindWindowNeedingPaint(filter)) {
            *msg = MakeMessage(w->hwnd, WM_PAINT, 0, 0);
            return true;
        }
    }
    return false;
}

bool FilterIsValid(HWND filter) {
    if (!filter || filter == reinterpret_cast<HWND>(-1)) return true;
    return CheckedWindow(filter) != nullptr;
}

}  // namespace

void DiscardMessagesFor(HWND hwnd) {
    auto& posted = Posted();
    for (auto it = posted.begin(); it != posted.end();)
        it = it->hwnd == hwnd ? posted.erase(it) : it + 1;
}

}  // namespace layer

using namespace layer;

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : std::vector<HWND>(Wm().zOrder)) PostMessageA(h, message, wParam, lParam);
        return TRUE;
    }
    if (hwnd && IpcIsRemoteWindow(hwnd)) return IpcPostRemote(hwnd, message, wParam, lParam) ? TRUE : FALSE;
    if (hwnd && !CheckedWindow(hwnd)) return FALSE;
    if (Posted().size() >= kMaxPostedMessages) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    Posted().push_back(MakeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    WindowManager& wm = Wm();
    wm.quitPending = true;
    wm.quitCode = exitCode;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    if (!msg || !FilterIsValid(hwnd)) return FALSE;
    if (NextMessage(msg, hwnd, first, last, remove)) return TRUE;
    PumpEventSources(0);
    return NextMessage(msg, hwnd, first, last, remove) ? TRUE : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (!FilterIsValid(hwnd)) return -1;
    while (!NextMessage(msg, hwnd, first, last, PM_REMOVE)) PumpEventSources(-1);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    unsigned character = CharacterForKeyDown(*msg);
    if (!character || !WindowFromHandle(msg->hwnd)) return FALSE;
    // The character is the next message the loop sees, ahead of later keys.
    Posted().push_front(MakeMessage(msg->hwnd, WM_CHAR, character, msg->lParam));
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    LRESULT result = SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) FinishPaintMessage(msg->hwnd);
    return result;
}
