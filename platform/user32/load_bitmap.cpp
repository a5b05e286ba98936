#include "platform/gdi32/gdi_internal.h"
#include "platform/win32.h"

namespace {

HBITMAP LoadBitmapResource(HINSTANCE instance, LPCSTR name, bool dibSection) {
    HRSRC resource = FindResourceA(instance, name, RT_BITMAP);
    if (!resource) return nullptr;
    HGLOBAL data = LoadResource(instance, resource);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return nullptr;
    HBITMAP bitmap = layer::CreateBitmapFromPackedDib(bytes, SizeofResource(instance, resource), dibSection);
    if (!bitmap) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return bitmap;
}

}  // namespace

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) { return LoadBitmapResource(instance, name, false); }

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    // Images come at their own size; stretching on load is not supported.
    bool defaultSize = (cx == 0 && cy == 0) || (flags & LR_DEFAULTSIZE);
    switch (type) {
        case IMAGE_BITMAP: {
            HBITMAP bitmap = LoadBitmapResource(instance, name, (flags & LR_CREATEDIBSECTION) != 0);
            BITMAP info;
            if (bitmap && (cx != 0 || cy != 0) &&
                (GetObjectA(bitmap, sizeof info, &info) == 0 || (cx != 0 && cx != info.bmWidth) ||
                 (cy != 0 && cy != info.bmHeight))) {
                DeleteObject(bitmap);
                SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
            return bitmap;
        }
        case IMAGE_ICON:
            if (defaultSize) return LoadIconA(instance, name);
            break;
        case IMAGE_CURSOR:
            if (defaultSize) return LoadCursorA(instance, name);
            break;
        default:
            break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}
