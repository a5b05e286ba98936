// What crosses processes: top-level windows of every process on the same
// prefix (for FindWindowA), and messages sent or posted to them. Carried over
// Unix sockets in a per-user runtime folder (mode 0700, peer credentials checked).
#pragma once

#include "platform/win32.h"

namespace layer {

// user32 publishes each visible or hidden top-level window, and withdraws it on destruction.
void IpcPublishWindow(HWND hwnd, const char* className, const char* title);
void IpcWithdrawWindow(HWND hwnd);
// A top-level window of another process of this user and prefix, or nullptr.
HWND IpcFindRemoteWindow(const char* className, const char* title);
// True when hwnd names another process's window (its upper half is not our pid).
bool IpcIsRemoteWindow(HWND hwnd);
// True while that other process's window exists (for IsWindow).
bool IpcRemoteWindowExists(HWND hwnd);
// Sends a message with no pointer arguments to a remote window and waits for its result,
// at most timeoutMs. False when the window is gone (last error ERROR_INVALID_WINDOW_HANDLE),
// or did not answer in time (ERROR_TIMEOUT). WM_SETTEXT and WM_GETTEXT carry their text.
bool IpcSendRemote(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned timeoutMs,
                   LRESULT* result);
bool IpcPostRemote(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace layer
