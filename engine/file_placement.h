// Placing one manifest entry: its folder tree, the copy with one retry, and the error box.
#pragma once

#include "platform/win32.h"

// 1 when this call created the folder itself; 0 when it existed or could not be made.
int MakeFolderTree(const char* folder);
// Places one entry under installerState.destFolder (or the system folder); a failure is
// reported in a box owned by owner and sets installerState.installErrors.
void PlaceFile(HWND owner, const char* fileName, const char* subFolder, int overwrite);
