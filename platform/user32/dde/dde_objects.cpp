#include "platform/user32/dde/dde_objects.h"

#include "platform/common/handle_table.h"

namespace layer {
namespace dde {
namespace {

HandleTable<Object>& Table() {
    static HandleTable<Object> table(kTagDde);
    return table;
}

}  // namespace

uintptr_t AddObject(Object object) { return Table().Add(std::make_unique<Object>(std::move(object))); }

Object* FindObject(uintptr_t handle, Kind kind) {
    Object* object = Table().Get(handle);
    return object && object->kind == kind ? object : nullptr;
}

void RemoveObject(uintptr_t handle) { Table().Remove(handle); }

std::vector<uintptr_t> HandlesOf(DWORD instance, Kind kind) {
    std::vector<uintptr_t> handles;
    Table().ForEach([&](uintptr_t handle, Object* object) {
        if (object->instance == instance && object->kind == kind && handle != instance) handles.push_back(handle);
    });
    return handles;
}

Object* FindInstance(DWORD instance) { return FindObject(instance, Kind::Instance); }

void SetLastDdeError(DWORD instance, UINT error) {
    if (Object* object = FindInstance(instance)) object->lastError = error;
}

HSZ NewStringHandle(DWORD instance, const std::string& text) {
    Object object(Kind::String, instance);
    object.text = text;
    return reinterpret_cast<HSZ>(AddObject(std::move(object)));
}

std::string StringText(HSZ hsz) {
    Object* object = FindObject(Raw(hsz), Kind::String);
    return object ? object->text : std::string();
}

}  // namespace dde
}  // namespace layer
