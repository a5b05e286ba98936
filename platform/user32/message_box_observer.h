// In-process tests answer message boxes without a person: an observer set here
// sees every MessageBoxA call and gives its answer instead of the modal loop.
#pragma once

#include "platform/win32.h"

namespace layer {

using MessageBoxObserver = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// nullptr restores the real modal box.
void SetMessageBoxObserver(MessageBoxObserver observer);

}  // namespace layer
