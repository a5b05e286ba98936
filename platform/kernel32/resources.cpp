#include "platform/kernel32/resource_file.h"
#include "platform/win32.h"

// The compiled resource script the build places in the program image; absent
// (null) in programs that carry no resources.
extern "C" const char layer_module_resources_begin[] __attribute__((weak));
extern "C" const char layer_module_resources_end[] __attribute__((weak));

namespace {

// Resource handles are the entry's index plus one over a fixed marker, so a
// value that is not one is recognised.
constexpr uintptr_t kResourceHandleBase = 0x52000000;

const std::vector<layer::ResourceEntry>& ModuleResources() {
    static const std::vector<layer::ResourceEntry> entries =
        layer::ParseResourceFile(layer_module_resources_begin,
                                 layer_module_resources_begin && layer_module_resources_end
                                     ? static_cast<size_t>(layer_module_resources_end - layer_module_resources_begin)
                                     : 0);
    return entries;
}

bool IsProgramModule(HMODULE module) { return !module || module == GetModuleHandleA(nullptr); }

const layer::ResourceEntry* EntryFromHandle(HMODULE module, HRSRC resource) {
    uintptr_t value = reinterpret_cast<uintptr_t>(resource);
    const auto& entries = ModuleResources();
    if (!IsProgramModule(module) || value <= kResourceHandleBase || value > kResourceHandleBase + entries.size()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &entries[value - kResourceHandleBase - 1];
}

}  // namespace

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!IsProgramModule(module)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    if (!name || !type) {
        SetLastError(!type ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    size_t index = 0;
    switch (layer::FindResourceEntry(ModuleResources(), layer::ResourceIdFromArgument(type),
                                     layer::ResourceIdFromArgument(name), &index)) {
        case layer::ResourceLookup::Found: return reinterpret_cast<HRSRC>(kResourceHandleBase + index + 1);
        case layer::ResourceLookup::TypeNotFound: SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND); break;
        case layer::ResourceLookup::NameNotFound: SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND); break;
    }
    return nullptr;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    const layer::ResourceEntry* entry = EntryFromHandle(module, resource);
    return entry ? entry->size : 0;
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    const layer::ResourceEntry* entry = EntryFromHandle(module, resource);
    // Resources are read-only bytes of the image, as on Windows.
    return entry ? const_cast<char*>(entry->data) : nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }
