// DdeInitializeA, DdeUninitialize and DdeGetLastError.
#include "platform/user32/dde/dde_channel.h"
#include "platform/user32/dde/dde_objects.h"

using namespace layer::dde;

UINT WINAPI DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD) {
    if (!instance) return DMLERR_INVALIDPARAMETER;
    if (*instance != 0) {
        // A second call for a live instance only changes its flags.
        Object* existing = FindInstance(*instance);
        if (!existing) return DMLERR_INVALIDPARAMETER;
        existing->command = command;
        return DMLERR_NO_ERROR;
    }
    Object object(Kind::Instance, 0);
    object.callback = callback;
    object.command = command;
    uintptr_t handle = AddObject(std::move(object));
    if (handle == 0 || handle > 0xFFFFFFFFu) return DMLERR_SYS_ERROR;
    FindInstance(static_cast<DWORD>(handle))->instance = static_cast<DWORD>(handle);
    *instance = static_cast<DWORD>(handle);
    return DMLERR_NO_ERROR;
}

BOOL WINAPI DdeUninitialize(DWORD instance) {
    if (!FindInstance(instance)) return FALSE;
    WithdrawServices(instance);
    for (uintptr_t conversation : HandlesOf(instance, Kind::Conversation)) EndConversation(conversation);
    for (Kind kind : {Kind::String, Kind::Data})
        for (uintptr_t handle : HandlesOf(instance, kind)) RemoveObject(handle);
    RemoveObject(instance);
    return TRUE;
}

UINT WINAPI DdeGetLastError(DWORD instance) {
    Object* object = FindInstance(instance);
    if (!object) return DMLERR_DLL_NOT_INITIALIZED;
    UINT error = object->lastError;
    object->lastError = DMLERR_NO_ERROR;
    return error;
}
