// The product's registry entries: App Paths, Uninstall, and the ".Tesm" file type.
#pragma once

#include "platform/win32.h"

// Creates the key (and missing keys on its path) and sets one REG_SZ value: 1 when set.
int WriteRegistryString(HKEY root, const char* subKey, const char* valueName, const char* text);
// Writes the seven registration values for a destination folder ending in a backslash.
void RegisterProduct(const char* destFolder);
