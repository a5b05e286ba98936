#include "platform/advapi32/registry_handles.h"
#include "platform/advapi32/hive_database.h"
#include "platform/common/handle_table.h"

namespace layer {
namespace registry {
namespace {

constexpr REGSAM kGenericRead = 0x80000000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kMaximumAllowed = 0x02000000;

struct OpenKey {
    KeyId key;
    REGSAM access;
    uint64_t generation;
};

HandleTable<OpenKey>& Keys() {
    static HandleTable<OpenKey> table(kTagRegistryKey);
    return table;
}

REGSAM SpecificRights(REGSAM access) {
    if (access & (kGenericAll | kMaximumAllowed)) access |= KEY_ALL_ACCESS;
    if (access & kGenericRead) access |= KEY_READ;
    if (access & kGenericWrite) access |= KEY_WRITE;
    return access;
}

}  // namespace

bool IsPredefinedKey(HKEY handle) {
    return handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER || handle == HKEY_LOCAL_MACHINE ||
           handle == HKEY_USERS;
}

std::unique_lock<std::mutex> LockRegistry() {
    static std::mutex registryMutex;
    return std::unique_lock<std::mutex>(registryMutex);
}

LONG KeyFromHandle(HKEY handle, REGSAM needed, KeyId* key) {
    if (IsPredefinedKey(handle)) return RootKey(handle, key);
    const OpenKey* open = Keys().Get(reinterpret_cast<uintptr_t>(handle));
    if (!open) return ERROR_INVALID_HANDLE;
    if (open->generation != HiveGeneration()) return ERROR_KEY_DELETED;
    if ((open->access & needed) != needed) return ERROR_ACCESS_DENIED;
    *key = open->key;
    return ERROR_SUCCESS;
}

HKEY AddKeyHandle(KeyId key, REGSAM access) {
    uintptr_t handle = Keys().Add(std::make_unique<OpenKey>(OpenKey{key, SpecificRights(access), HiveGeneration()}));
    return reinterpret_cast<HKEY>(handle);
}

LONG CloseKeyHandle(HKEY handle) {
    if (IsPredefinedKey(handle)) return ERROR_SUCCESS;
    return Keys().Remove(reinterpret_cast<uintptr_t>(handle)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace registry
}  // namespace layer
