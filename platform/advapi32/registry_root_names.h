// The spelled names of the predefined root keys, as registry files and tools write them.
#pragma once

#include "platform/win32.h"

#include <string>

namespace layer {

// "HKEY_LOCAL_MACHINE" or its short form "HKLM" (any letter case) to the root
// key; nullptr for any other text.
HKEY PredefinedKeyFromName(const std::string& name);

// Splits "ROOT\sub\key" into the root key and the path below it; false when
// the text does not start with a root name.
bool SplitRegistryPath(const std::string& path, HKEY* root, std::string* below);

// The long name of a root key: "HKEY_LOCAL_MACHINE"; nullptr for another handle.
const char* PredefinedKeyName(HKEY root);

}  // namespace layer
