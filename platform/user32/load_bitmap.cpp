#include "platform/gdi32/gdi_internal.h"
#include "platform/user32/icon_image.h"
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
    switch (type) {
        case IMAGE_BITMAP: {
            HBITMAP bitmap = LoadBitmapResource(instance, name, (flags & LR_CREATEDIBSECTION) != 0);
            // Bitmaps come at their own size; stretching on load is not supported.
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
        case IMAGE_ICON: {
            if (flags & LR_SHARED) return LoadIconA(instance, name);
            layer::IconImage image;
            int size = cx != 0 ? cx : GetSystemMetrics(SM_CXICON);
            bool loaded = instance ? layer::LoadIconResource(instance, name, size, &image)
                                   : IS_INTRESOURCE(name) && layer::DrawSystemIcon(LOWORD(name), &image);
            if (loaded) return layer::AddIcon(std::move(image));
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        case IMAGE_CURSOR:
            return LoadCursorA(instance, name);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}
