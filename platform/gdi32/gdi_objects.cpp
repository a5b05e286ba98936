#include "platform/gdi32/gdi_objects.h"

#include "platform/gdi32/fonts.h"

#include <cstring>

namespace layer {
namespace {

constexpr int kStockCount = 18;  // indexes 0 .. DEFAULT_GUI_FONT

HGDIOBJ MakeStock(int index) {
    auto object = std::make_unique<GdiObject>();
    object->stock = true;
    switch (index) {
        case WHITE_BRUSH: case LTGRAY_BRUSH: case GRAY_BRUSH: case DKGRAY_BRUSH: case BLACK_BRUSH: {
            static const BYTE kGrey[] = {255, 192, 128, 64, 0};
            BYTE v = kGrey[index];
            object->type = OBJ_BRUSH;
            object->brush.colour = RGB(v, v, v);
            break;
        }
        case NULL_BRUSH:
            object->type = OBJ_BRUSH;
            object->brush.hollow = true;
            break;
        case WHITE_PEN: case BLACK_PEN: case NULL_PEN:
            object->type = OBJ_PEN;
            object->pen.log.lopnStyle = index == NULL_PEN ? PS_NULL : PS_SOLID;
            object->pen.log.lopnWidth.x = 1;
            object->pen.log.lopnColor = index == WHITE_PEN ? RGB(255, 255, 255) : RGB(0, 0, 0);
            break;
        case SYSTEM_FONT: case DEFAULT_GUI_FONT: {
            LOGFONTA log{};
            log.lfHeight = index == SYSTEM_FONT ? -13 : -11;
            log.lfWeight = index == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
            std::strcpy(log.lfFaceName, index == SYSTEM_FONT ? "System" : "MS Sans Serif");
            object->type = OBJ_FONT;
            object->font = MakeFontData(log);
            break;
        }
        default:
            return nullptr;
    }
    return AddObject(std::move(object));
}

}  // namespace

HandleTable<GdiObject>& GdiObjects() {
    static HandleTable<GdiObject> table(kTagGdiObject);
    return table;
}

GdiObject* LookUpObject(HGDIOBJ handle, DWORD type) {
    GdiObject* object = GdiObjects().Get(reinterpret_cast<uintptr_t>(handle));
    if (!object || object->deletePending || (type != 0 && object->type != type)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return object;
}

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object) {
    uintptr_t handle = GdiObjects().Add(std::move(object));
    if (handle == 0) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return reinterpret_cast<HGDIOBJ>(handle);
}

HDC ContextHolding(HGDIOBJ handle) {
    HDC holder = nullptr;
    DeviceContexts().ForEach([&](uintptr_t hdc, const DeviceContext* dc) {
        if (dc->bitmap == handle || dc->pen == handle || dc->brush == handle || dc->font == handle)
            holder = reinterpret_cast<HDC>(hdc);
    });
    return holder;
}

void ReleaseIfPending(HGDIOBJ handle) {
    GdiObject* object = GdiObjects().Get(reinterpret_cast<uintptr_t>(handle));
    if (object && object->deletePending && !ContextHolding(handle))
        GdiObjects().Remove(reinterpret_cast<uintptr_t>(handle));
}

size_t LiveGdiObjectCount() {
    size_t count = 0;
    GdiObjects().ForEach([&](uintptr_t, const GdiObject* object) {
        if (!object->stock) ++count;
    });
    return count;
}

HGDIOBJ DefaultBitmap() {
    static HGDIOBJ bitmap = [] {
        auto object = std::make_unique<GdiObject>();
        object->type = OBJ_BITMAP;
        object->stock = true;
        AllocateSurface(&object->bitmap.surface, 1, 1, 1, true);
        return AddObject(std::move(object));
    }();
    return bitmap;
}

}  // namespace layer

using namespace layer;

HGDIOBJ WINAPI GetStockObject(int index) {
    static HGDIOBJ stock[kStockCount] = {};
    if (index < 0 || index >= kStockCount) return nullptr;
    if (!stock[index]) stock[index] = MakeStock(index);
    return stock[index];
}

DWORD WINAPI GetObjectType(HGDIOBJ handle) {
    // An object deleted while selected still has its type until its context lets it go.
    if (GdiObject* object = GdiObjects().Get(reinterpret_cast<uintptr_t>(handle))) return object->type;
    if (DeviceContext* dc = DeviceContexts().Get(reinterpret_cast<uintptr_t>(handle)))
        return dc->kind == DcKind::Memory ? OBJ_MEMDC : OBJ_DC;
    return 0;
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    GdiObject* object = GdiObjects().Get(reinterpret_cast<uintptr_t>(handle));
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (object->stock || object->deletePending) return TRUE;
    // An object still selected lives on until its context lets it go.
    if (ContextHolding(handle)) {
        object->deletePending = true;
        return TRUE;
    }
    GdiObjects().Remove(reinterpret_cast<uintptr_t>(handle));
    return TRUE;
}

int WINAPI GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
    GdiObject* object = LookUpObject(handle);
    if (!object) return 0;
    auto copyOut = [&](const void* data, int dataSize) {
        if (!buffer) return dataSize;
        if (size < dataSize) return 0;
        std::memcpy(buffer, data, size_t(dataSize));
        return dataSize;
    };
    switch (object->type) {
        case OBJ_BITMAP: {
            const Surface& s = object->bitmap.surface;
            BITMAP bm{};
            bm.bmWidth = s.width;
            bm.bmHeight = s.height;
            bm.bmPlanes = 1;
            bm.bmBitsPixel = WORD(s.bitsPerPixel);
            // Device-dependent bitmaps report rows padded to 2 bytes and keep their bits to themselves.
            bm.bmWidthBytes = object->bitmap.dibSection ? s.stride : ((s.width * s.bitsPerPixel + 15) / 16) * 2;
            bm.bmBits = object->bitmap.dibSection ? s.bits : nullptr;
            return copyOut(&bm, sizeof bm);
        }
        case OBJ_PEN: return copyOut(&object->pen.log, sizeof(LOGPEN));
        case OBJ_FONT: return copyOut(&object->font.log, sizeof(LOGFONTA));
        default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

HPEN WINAPI CreatePen(int style, int width, COLORREF colour) {
    // Only solid one-pixel pens are drawn; refuse what would be drawn wrongly.
    if (style != PS_SOLID || width > 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto object = std::make_unique<GdiObject>();
    object->type = OBJ_PEN;
    object->pen.log.lopnStyle = UINT(style);
    object->pen.log.lopnWidth.x = width;
    object->pen.log.lopnColor = colour & 0xffffff;
    return static_cast<HPEN>(AddObject(std::move(object)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
    auto object = std::make_unique<GdiObject>();
    object->type = OBJ_BRUSH;
    object->brush.colour = colour & 0xffffff;
    return static_cast<HBRUSH>(AddObject(std::move(object)));
}
