// Registry key handles: the predefined roots, and checked handles of opened keys
// with the access they were opened for.
#pragma once

#include "platform/advapi32/registry_store.h"
#include "platform/win32.h"

#include <mutex>

namespace layer {
namespace registry {

// Held by every registry call: one thread at a time uses the hive connection.
std::unique_lock<std::mutex> LockRegistry();

bool IsPredefinedKey(HKEY handle);
// The key behind a handle, if the handle grants `needed`: ERROR_INVALID_HANDLE for
// a stale or forged handle, ERROR_ACCESS_DENIED for missing rights,
// ERROR_KEY_DELETED for a key of an earlier hive.
LONG KeyFromHandle(HKEY handle, REGSAM needed, KeyId* key);
// A new handle to an opened key, or nullptr when the table is full.
HKEY AddKeyHandle(KeyId key, REGSAM access);
// ERROR_SUCCESS, also for a predefined root (closing one is harmless).
LONG CloseKeyHandle(HKEY handle);

}  // namespace registry
}  // namespace layer
