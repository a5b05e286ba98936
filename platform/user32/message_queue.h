// The process's one message queue, as seen by the rest of user32.
#pragma once

#include "platform/win32.h"

namespace layer {

// Drops the posted messages of a window that is being destroyed.
void DiscardMessagesFor(HWND hwnd);

}  // namespace layer
