// The registry as REGEDIT4 text, for people to read what an install wrote.
#pragma once

#include "platform/win32.h"

#include <string>

namespace layer {

// Appends the key `below` of `root` and every key under it, each as a
// "[name]" section with its values, named from `shownName`. Returns the Win32
// result of opening the key.
LONG ExportRegistryKey(HKEY root, const std::string& below, const std::string& shownName, std::string* text);

// The whole hive: "REGEDIT4", then HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_USERS.
std::string ExportHive();

}  // namespace layer
