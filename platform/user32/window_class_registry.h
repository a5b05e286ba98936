// Lookup of registered window classes by name (without regard to case) or atom.
#pragma once

#include "platform/user32/window_internal.h"

namespace layer {

// The class of that name or integer atom, or nullptr. The control classes are
// registered before the first lookup.
WindowClass* FindWindowClass(LPCSTR name);
// The name of the dialog class (#32770) the dialog manager uses when a template names none.
extern const char kDialogClassName[];

}  // namespace layer
