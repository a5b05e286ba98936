#include "platform/advapi32/registry_handles.h"
#include "platform/win32.h"

#include <cstring>

using layer::registry::KeyId;

namespace {

LONG OpenHandle(KeyId key, REGSAM access, HKEY* result) {
    HKEY handle = layer::registry::AddKeyHandle(key, access);
    if (!handle) return ERROR_NOT_ENOUGH_MEMORY;
    *result = handle;
    return ERROR_SUCCESS;
}

// Seconds since 1970 as a FILETIME: 100 ns units since 1601.
FILETIME FileTimeFromUnix(int64_t seconds) {
    uint64_t ticks = static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ULL;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD, REGSAM access, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    auto lock = layer::registry::LockRegistry();
    KeyId parent, key;
    LONG status = layer::registry::KeyFromHandle(root, 0, &parent);
    if (status == ERROR_SUCCESS) status = layer::registry::OpenSubKey(parent, subKey ? subKey : "", &key);
    return status == ERROR_SUCCESS ? OpenHandle(key, access, result) : status;
}

LSTATUS WINAPI RegCreateKeyExA(HKEY root, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access, LPSECURITY_ATTRIBUTES,
                               HKEY* result, LPDWORD disposition) {
    if (!result || !subKey) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    auto lock = layer::registry::LockRegistry();
    KeyId parent, key;
    bool created = false;
    LONG status = layer::registry::KeyFromHandle(root, 0, &parent);
    if (status == ERROR_SUCCESS) status = layer::registry::CreateSubKey(parent, subKey, &key, &created);
    if (status == ERROR_SUCCESS) status = OpenHandle(key, access, result);
    if (status == ERROR_SUCCESS && disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return status;
}

LSTATUS WINAPI RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    if (!subKey) return ERROR_INVALID_PARAMETER;
    // A root key itself is never deleted.
    if (!*subKey && layer::registry::IsPredefinedKey(key)) return ERROR_ACCESS_DENIED;
    auto lock = layer::registry::LockRegistry();
    KeyId parent;
    LONG status = layer::registry::KeyFromHandle(key, 0, &parent);
    return status == ERROR_SUCCESS ? layer::registry::DeleteSubKey(parent, subKey) : status;
}

LSTATUS WINAPI RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR keyClass,
                             LPDWORD classSize, FILETIME* lastWrite) {
    if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
    auto lock = layer::registry::LockRegistry();
    KeyId id;
    std::string found;
    int64_t modified = 0;
    LONG status = layer::registry::KeyFromHandle(key, KEY_ENUMERATE_SUB_KEYS, &id);
    if (status == ERROR_SUCCESS) status = layer::registry::EnumSubKey(id, index, &found, &modified);
    if (status != ERROR_SUCCESS) return status;
    if (found.size() >= *nameSize) return ERROR_MORE_DATA;
    std::memcpy(name, found.c_str(), found.size() + 1);
    *nameSize = static_cast<DWORD>(found.size());
    if (keyClass && classSize && *classSize > 0) keyClass[0] = '\0';
    if (classSize) *classSize = 0;
    if (lastWrite) *lastWrite = FileTimeFromUnix(modified);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
    auto lock = layer::registry::LockRegistry();
    return layer::registry::CloseKeyHandle(key);
}
