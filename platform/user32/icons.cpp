// LoadIconA, LoadCursorA, DestroyIcon and DrawIcon.
#include "platform/common/handle_table.h"
#include "platform/user32/icon_image.h"

#include <map>
#include <memory>
#include <string>

namespace layer {
namespace {

HandleTable<IconImage>& Icons() {
    static HandleTable<IconImage> icons(kTagUserObject);
    return icons;
}

// Loading the same name again gives the same shared handle, as on Windows.
std::map<std::string, HICON>& SharedIcons() {
    static std::map<std::string, HICON> shared;
    return shared;
}

std::string SharedKey(HINSTANCE instance, LPCSTR name, char kind) {
    std::string key = std::to_string(reinterpret_cast<uintptr_t>(instance)) + kind;
    if (IS_INTRESOURCE(name)) return key + "#" + std::to_string(LOWORD(name));
    for (const char* p = name; *p; ++p) key += static_cast<char>(*p >= 'a' && *p <= 'z' ? *p - 32 : *p);
    return key;
}

template <typename Load>
HICON LoadShared(HINSTANCE instance, LPCSTR name, char kind, Load load) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string key = SharedKey(instance, name, kind);
    auto found = SharedIcons().find(key);
    if (found != SharedIcons().end()) return found->second;
    IconImage image;
    if (!load(&image)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    image.shared = true;
    HICON icon = AddIcon(std::move(image));
    if (icon) SharedIcons()[key] = icon;
    return icon;
}

}  // namespace

HICON AddIcon(IconImage image) {
    return reinterpret_cast<HICON>(Icons().Add(std::make_unique<IconImage>(std::move(image))));
}

IconImage* IconFromHandle(HICON icon) { return Icons().Get(reinterpret_cast<uintptr_t>(icon)); }

bool RemoveIcon(HICON icon) { return Icons().Remove(reinterpret_cast<uintptr_t>(icon)); }

}  // namespace layer

using namespace layer;

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    return LoadShared(instance, name, 'I', [&](IconImage* image) {
        if (!instance) return IS_INTRESOURCE(name) && DrawSystemIcon(LOWORD(name), image);
        return LoadIconResource(instance, name, GetSystemMetrics(SM_CXICON), image);
    });
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return LoadShared(instance, name, 'C', [&](IconImage* image) {
        return !instance && IS_INTRESOURCE(name) && DrawSystemCursor(LOWORD(name), image);
    });
}

BOOL WINAPI DestroyIcon(HICON icon) {
    IconImage* image = IconFromHandle(icon);
    if (!image) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A shared icon stays: others that loaded the same name hold the same handle.
    if (!image->shared) RemoveIcon(icon);
    return TRUE;
}

BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON icon) {
    IconImage* image = IconFromHandle(icon);
    if (!image) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    for (int row = 0; row < image->height; ++row)
        for (int column = 0; column < image->width; ++column) {
            size_t i = size_t(row) * size_t(image->width) + size_t(column);
            if (image->opaque[i]) SetPixel(hdc, x + column, y + row, image->pixels[i]);
        }
    return TRUE;
}
