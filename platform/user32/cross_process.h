// What user32 answers for another process about its own windows, beyond the
// messages the windows themselves handle.
#pragma once

#include "platform/win32.h"

namespace layer {

// GetDlgItem on another process's dialog arrives as this message (wParam: the
// identifier) and is answered by the window manager, never by the window.
constexpr UINT kDialogItemQuery = 0x7FFE;
// How long a query to another process may take: a hung program must not hang this one.
constexpr unsigned kRemoteSendTimeoutMs = 10000;

}  // namespace layer
