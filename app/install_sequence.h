// What the Install button does: check the folder, copy the manifest, register the product.
#pragma once

#include "platform/win32.h"

void RunInstall(HWND hwnd);
