// SendMessageA and friends: a window of this process is called directly; one
// of another process is reached over IPC with a bounded wait.
#include "platform/ipc/ipc.h"
#include "platform/user32/cross_process.h"
#include "platform/user32/window_internal.h"

namespace layer {
namespace {

LRESULT CallWindow(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDialogItemQuery)
        return reinterpret_cast<LRESULT>(GetDlgItem(w->hwnd, static_cast<int>(wParam)));
    WNDPROC proc = w->proc ? w->proc : DefWindowProcA;
    return proc(w->hwnd, message, wParam, lParam);
}

}  // namespace
}  // namespace layer

using namespace layer;

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : std::vector<HWND>(Wm().zOrder))
            if (Window* w = WindowFromHandle(h)) CallWindow(w, message, wParam, lParam);
        return 0;
    }
    if (IpcIsRemoteWindow(hwnd)) {
        LRESULT result = 0;
        if (!IpcSendRemote(hwnd, message, wParam, lParam, kRemoteSendTimeoutMs, &result)) return 0;
        return result;
    }
    Window* w = CheckedWindow(hwnd);
    return w ? CallWindow(w, message, wParam, lParam) : 0;
}

LRESULT WINAPI SendMessageTimeoutA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
                                   DWORD_PTR* result) {
    LRESULT answer = 0;
    if (IpcIsRemoteWindow(hwnd)) {
        if (!IpcSendRemote(hwnd, message, wParam, lParam, timeout, &answer)) return 0;  // its error stands
    } else {
        Window* w = CheckedWindow(hwnd);
        if (!w) return 0;
        answer = CallWindow(w, message, wParam, lParam);
    }
    if (result) *result = static_cast<DWORD_PTR>(answer);
    return 1;
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
