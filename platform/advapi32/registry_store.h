// The hive: keys and values in SQLite at <prefix>/system.reg.db, shared by all
// processes on the prefix. Every operation is one transaction; names match
// without regard to ASCII letter case and keep the case they were made with.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace layer {
namespace registry {

using KeyId = int64_t;

// Root key names as stored: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS.
// HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\Software\Classes.
LONG RootKey(HKEY predefined, KeyId* key);

LONG OpenSubKey(KeyId parent, const std::string& path, KeyId* key);
// Opens the key, making it and any missing keys on the path.
LONG CreateSubKey(KeyId parent, const std::string& path, KeyId* key, bool* created);
// Deletes a key that has no sub-keys, with its values.
LONG DeleteSubKey(KeyId parent, const std::string& path);
bool KeyExists(KeyId key);

struct Value {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

LONG ReadValue(KeyId key, const std::string& name, Value* value);
LONG WriteValue(KeyId key, const std::string& name, DWORD type, const BYTE* data, DWORD size);
LONG DeleteValue(KeyId key, const std::string& name);
// The index-th sub-key name in case-insensitive order, or ERROR_NO_MORE_ITEMS.
LONG EnumSubKey(KeyId key, DWORD index, std::string* name, int64_t* modified);
// The index-th value in the order the values were first set, or ERROR_NO_MORE_ITEMS.
LONG EnumValue(KeyId key, DWORD index, Value* value);

}  // namespace registry
}  // namespace layer
