// String handles: per instance, compared without regard to letter case.
#include "platform/user32/dde/dde_objects.h"

#include <cstring>
#include <strings.h>

using namespace layer::dde;

namespace {

// String handles stand for atoms, which hold at most 255 characters.
constexpr size_t kMaxStringLength = 255;

bool IsAnsiCodePage(int codePage) { return codePage == 0 || codePage == CP_WINANSI; }

}  // namespace

HSZ WINAPI DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) {
    if (!FindInstance(instance)) return nullptr;
    if (!text || !IsAnsiCodePage(codePage) || strnlen(text, kMaxStringLength + 1) > kMaxStringLength) {
        SetLastDdeError(instance, DMLERR_INVALIDPARAMETER);
        return nullptr;
    }
    if (!*text) return nullptr;  // the empty string is the null handle
    return NewStringHandle(instance, text);
}

BOOL WINAPI DdeFreeStringHandle(DWORD instance, HSZ hsz) {
    Object* object = FindObject(Raw(hsz), Kind::String);
    if (!object || object->instance != instance) {
        SetLastDdeError(instance, DMLERR_INVALIDPARAMETER);
        return FALSE;
    }
    RemoveObject(Raw(hsz));
    return TRUE;
}

DWORD WINAPI DdeQueryStringA(DWORD instance, HSZ hsz, LPSTR text, DWORD size, int codePage) {
    Object* object = FindObject(Raw(hsz), Kind::String);
    if (!object || object->instance != instance || !IsAnsiCodePage(codePage)) {
        SetLastDdeError(instance, DMLERR_INVALIDPARAMETER);
        return 0;
    }
    DWORD length = static_cast<DWORD>(object->text.size());
    if (!text) return length;
    if (size == 0) return 0;
    DWORD copied = length < size - 1 ? length : size - 1;
    memcpy(text, object->text.data(), copied);
    text[copied] = '\0';
    return copied;
}

int WINAPI DdeCmpStringHandles(HSZ a, HSZ b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    int order = strcasecmp(StringText(a).c_str(), StringText(b).c_str());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}
