// The installer's folders: its own module's folder and the default destination.
#pragma once

#include "platform/win32.h"

// Fills buffer (at least 260 bytes) with the module's folder, ending in a backslash.
void GetModuleFolder(HINSTANCE module, char* buffer);
// Reads a registry value as text into buffer; on any failure the default text. Always 1.
int ReadRegistryString(HKEY root, const char* subKey, const char* valueName, const char* defaultText,
                       char* buffer, int capacity);
// Sets installerState.defaultDestFolder: the Program Files folder followed by "\Vintrel\Skyledger".
void GetDefaultDestination();
