// Placing one manifest entry: its folder tree, the copy with one retry, and the error box.
#pragma once

#include "platform/win32.h"

// 1 when this call created the folder itself; 0 when it existed or could not be made.
int MakeFolderTree(const char* folder);
// Places one entry under installerState.destFolder (or the system folder); a failure is
// reported in a box owned by owner and sets installerState.installErrors.
void PlaceFile(HWND owner, const char* fileName, const char* subFolder, int overwrite);
// Room for a composed path: twice a path's, so that one too long is seen whole, refused,
// and still shown in full rather than cut into some other path.
enum { COMPOSED_PATH_SIZE = 520 };

// Composes an entry's folder path (without a final backslash) and target path: below
// destFolder (ending in a backslash), or below systemFolder for SYS_FOLDER_MARKER. Both
// outputs hold COMPOSED_PATH_SIZE bytes. 0 when either path passes 259 characters.
int ComposeEntryPaths(const char* destFolder, const char* systemFolder, const char* fileName,
                      const char* subFolder, char* folderPath, char* targetPath);
