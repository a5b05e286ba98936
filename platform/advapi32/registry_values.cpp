#include "platform/advapi32/registry_handles.h"
#include "platform/win32.h"

#include <cstring>

using layer::registry::KeyId;
using layer::registry::Value;

namespace {

// The longest value name Windows takes; a longer one is refused, not stored.
constexpr size_t kMaxValueNameLength = 16383;

// Hands a value's bytes to the caller's buffer: NULL data asks for the size only;
// too small a buffer gets ERROR_MORE_DATA and the size needed.
LONG DeliverData(const Value& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (type) *type = value.type;
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data && needed) std::memcpy(data, value.data.data(), needed);
    if (size) *size = needed;
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD size) {
    if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
    auto lock = layer::registry::LockRegistry();
    KeyId id;
    Value value;
    LONG status = layer::registry::KeyFromHandle(key, KEY_QUERY_VALUE, &id);
    if (status == ERROR_SUCCESS) status = layer::registry::ReadValue(id, valueName ? valueName : "", &value);
    return status == ERROR_SUCCESS ? DeliverData(value, type, data, size) : status;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if ((!data && size) || (valueName && std::strlen(valueName) > kMaxValueNameLength)) return ERROR_INVALID_PARAMETER;
    auto lock = layer::registry::LockRegistry();
    KeyId id;
    LONG status = layer::registry::KeyFromHandle(key, KEY_SET_VALUE, &id);
    return status == ERROR_SUCCESS ? layer::registry::WriteValue(id, valueName ? valueName : "", type, data, size)
                                   : status;
}

LSTATUS WINAPI RegDeleteValueA(HKEY key, LPCSTR valueName) {
    auto lock = layer::registry::LockRegistry();
    KeyId id;
    LONG status = layer::registry::KeyFromHandle(key, KEY_SET_VALUE, &id);
    return status == ERROR_SUCCESS ? layer::registry::DeleteValue(id, valueName ? valueName : "") : status;
}

LSTATUS WINAPI RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                             LPBYTE data, LPDWORD dataSize) {
    if (!name || !nameSize || reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
    auto lock = layer::registry::LockRegistry();
    KeyId id;
    Value value;
    LONG status = layer::registry::KeyFromHandle(key, KEY_QUERY_VALUE, &id);
    if (status == ERROR_SUCCESS) status = layer::registry::EnumValue(id, index, &value);
    if (status != ERROR_SUCCESS) return status;
    if (value.name.size() >= *nameSize) return ERROR_MORE_DATA;
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameSize = static_cast<DWORD>(value.name.size());
    return DeliverData(value, type, data, dataSize);
}
