// A message box as a test saw it, for the fixtures that answer boxes in-process.
#pragma once

#include "platform/win32.h"

#include <string>

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
