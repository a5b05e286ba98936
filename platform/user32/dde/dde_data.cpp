// Data handles: the bytes of one transaction, valid until freed.
#include "platform/user32/dde/dde_objects.h"

#include <cstring>

using namespace layer::dde;

DWORD WINAPI DdeGetData(HDDEDATA data, LPBYTE buffer, DWORD size, DWORD offset) {
    Object* object = FindObject(Raw(data), Kind::Data);
    if (!object) return 0;
    DWORD length = static_cast<DWORD>(object->text.size());
    if (!buffer) return length;
    if (offset >= length) return 0;
    DWORD copied = length - offset < size ? length - offset : size;
    memcpy(buffer, object->text.data() + offset, copied);
    return copied;
}

BOOL WINAPI DdeFreeDataHandle(HDDEDATA data) {
    Object* object = FindObject(Raw(data), Kind::Data);
    if (!object) return FALSE;
    RemoveObject(Raw(data));
    return TRUE;
}
