#include "platform/gdi32/gdi_objects.h"

#include "platform/kernel32/profile.h"

#include <strings.h>

namespace layer {
namespace {

HDC AddDc(std::unique_ptr<DeviceContext> dc) {
    dc->pen = GetStockObject(BLACK_PEN);
    dc->brush = GetStockObject(WHITE_BRUSH);
    dc->font = GetStockObject(SYSTEM_FONT);
    uintptr_t handle = DeviceContexts().Add(std::move(dc));
    if (handle == 0) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return reinterpret_cast<HDC>(handle);
}

}  // namespace

HandleTable<DeviceContext>& DeviceContexts() {
    static HandleTable<DeviceContext> table(kTagDc);
    return table;
}

DeviceContext* LookUpDc(HDC hdc) {
    DeviceContext* dc = DeviceContexts().Get(reinterpret_cast<uintptr_t>(hdc));
    if (!dc) SetLastError(ERROR_INVALID_HANDLE);
    return dc;
}

size_t LiveDcCount() { return DeviceContexts().Count(); }

int DeviceDepth() {
    switch (int depth = CurrentProfile().screenDepth) {
        case 1: case 4: case 8: case 16: case 24: case 32: return depth;
        case 15: return 16;
        default: return 24;
    }
}

RECT IntersectRects(const RECT& a, const RECT& b) {
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.left >= r.right || r.top >= r.bottom) r = RECT{0, 0, 0, 0};
    return r;
}

bool IsEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

Surface* TargetSurface(DeviceContext& dc) {
    switch (dc.kind) {
        case DcKind::Buffer: return &dc.buffer;
        case DcKind::Memory: {
            GdiObject* bitmap = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc.bitmap));
            return bitmap ? &bitmap->bitmap.surface : nullptr;
        }
        default: return nullptr;
    }
}

RECT DeviceClip(const DeviceContext& dc) {
    Surface* surface = TargetSurface(const_cast<DeviceContext&>(dc));
    if (!surface) return RECT{0, 0, 0, 0};
    RECT clip{0, 0, surface->width, surface->height};
    if (dc.kind == DcKind::Buffer) clip = IntersectRects(clip, dc.bufferClip);
    if (dc.hasUserClip) clip = IntersectRects(clip, dc.userClip);
    return clip;
}

POINT ToDevice(const DeviceContext& dc, long long x, long long y) {
    constexpr long long kLimit = 1 << 28;
    auto hold = [](long long v) { return LONG(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v); };
    return POINT{hold(x + dc.origin.x), hold(y + dc.origin.y)};
}

RECT DeviceRect(const DeviceContext& dc, long long left, long long top, long long right, long long bottom) {
    POINT a = ToDevice(dc, left, top), b = ToDevice(dc, right, bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

HDC CreateBufferDC(PixelBuffer buffer, int originX, int originY, RECT clip) {
    if (!buffer.pixels || buffer.width <= 0 || buffer.height <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Buffer;
    Surface& s = dc->buffer;
    s.width = buffer.width;
    s.height = buffer.height;
    s.bitsPerPixel = 32;
    s.stride = buffer.width * 4;
    s.topDown = true;
    s.bits = reinterpret_cast<uint8_t*>(buffer.pixels);
    dc->origin = POINT{originX, originY};
    dc->bufferLimit = IntersectRects(clip, RECT{0, 0, buffer.width, buffer.height});
    dc->bufferClip = dc->bufferLimit;
    return AddDc(std::move(dc));
}

void SetBufferDCClip(HDC hdc, RECT clip) {
    DeviceContext* dc = LookUpDc(hdc);
    if (dc && dc->kind == DcKind::Buffer) dc->bufferClip = IntersectRects(dc->bufferLimit, clip);
}

}  // namespace layer

using namespace layer;

HDC WINAPI CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR, const void*) {
    auto isDisplay = [](LPCSTR name) { return name && strcasecmp(name, "DISPLAY") == 0; };
    if (!isDisplay(driver) && !isDisplay(device)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Display;
    return AddDc(std::move(dc));
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !LookUpDc(hdc)) return nullptr;
    auto dc = std::make_unique<DeviceContext>();
    dc->kind = DcKind::Memory;
    dc->bitmap = DefaultBitmap();
    return AddDc(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    std::unique_ptr<DeviceContext> dc = DeviceContexts().Take(reinterpret_cast<uintptr_t>(hdc));
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // What the context held is free again; objects deleted meanwhile go now.
    for (HGDIOBJ held : {dc->bitmap, dc->pen, dc->brush, dc->font})
        if (held) ReleaseIfPending(held);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ handle) {
    DeviceContext* dc = LookUpDc(hdc);
    GdiObject* object = dc ? LookUpObject(handle) : nullptr;
    if (!object) return nullptr;
    HGDIOBJ* slot = nullptr;
    switch (object->type) {
        case OBJ_PEN: slot = &dc->pen; break;
        case OBJ_BRUSH: slot = &dc->brush; break;
        case OBJ_FONT: slot = &dc->font; break;
        case OBJ_BITMAP: {
            if (dc->kind != DcKind::Memory) return nullptr;
            // A bitmap lives in at most one memory context (the shared default one excepted).
            HDC holder = ContextHolding(handle);
            if (holder && holder != hdc && !object->stock) return nullptr;
            // A device-dependent bitmap must be monochrome or of the display's depth.
            int depth = object->bitmap.surface.bitsPerPixel;
            if (!object->bitmap.dibSection && depth != 1 && depth != DeviceDepth()) return nullptr;
            slot = &dc->bitmap;
            break;
        }
        default: return nullptr;
    }
    HGDIOBJ previous = *slot;
    *slot = handle;
    if (previous != handle) ReleaseIfPending(previous);
    return previous;
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
    if (!LookUpDc(hdc)) return 0;
    const Profile& profile = CurrentProfile();
    switch (index) {
        case HORZRES: return profile.screenWidth;
        case VERTRES: return profile.screenHeight;
        case BITSPIXEL: return DeviceDepth();
        case PLANES: return 1;
        case NUMCOLORS: return DeviceDepth() <= 8 ? 1 << DeviceDepth() : -1;
        case LOGPIXELSX: case LOGPIXELSY: return 96;
        default: return 0;
    }
}

namespace {

// The mapping and background modes: a stale DC, or a mode that is not drawn, gives 0.
int ReplaceMode(HDC hdc, int DeviceContext::*modeOfDc, int mode, bool drawn) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return 0;
    if (!drawn) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int previous = dc->*modeOfDc;
    dc->*modeOfDc = mode;
    return previous;
}

int ModeOf(HDC hdc, int DeviceContext::*modeOfDc) {
    DeviceContext* dc = LookUpDc(hdc);
    return dc ? dc->*modeOfDc : 0;
}

// The background and text colours: a stale DC gives CLR_INVALID; the top byte is not kept.
COLORREF ReplaceColour(HDC hdc, COLORREF DeviceContext::*colourOfDc, COLORREF colour) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->*colourOfDc;
    dc->*colourOfDc = colour & 0xffffff;
    return previous;
}

COLORREF ColourOf(HDC hdc, COLORREF DeviceContext::*colourOfDc) {
    DeviceContext* dc = LookUpDc(hdc);
    return dc ? dc->*colourOfDc : CLR_INVALID;
}

}  // namespace

int WINAPI SetMapMode(HDC hdc, int mode) {
    // Only the identity mapping is drawn; other modes would be drawn wrongly.
    return ReplaceMode(hdc, &DeviceContext::mapMode, mode, mode == MM_TEXT);
}

int WINAPI GetMapMode(HDC hdc) { return ModeOf(hdc, &DeviceContext::mapMode); }

BOOL WINAPI DPtoLP(HDC hdc, LPPOINT points, int count) {
    return LookUpDc(hdc) && (count == 0 || points) ? TRUE : FALSE;
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT points, int count) {
    return LookUpDc(hdc) && (count == 0 || points) ? TRUE : FALSE;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF colour) { return ReplaceColour(hdc, &DeviceContext::bkColour, colour); }

COLORREF WINAPI GetBkColor(HDC hdc) { return ColourOf(hdc, &DeviceContext::bkColour); }

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF colour) {
    return ReplaceColour(hdc, &DeviceContext::textColour, colour);
}

COLORREF WINAPI GetTextColor(HDC hdc) { return ColourOf(hdc, &DeviceContext::textColour); }

int WINAPI SetBkMode(HDC hdc, int mode) {
    return ReplaceMode(hdc, &DeviceContext::bkMode, mode, mode == TRANSPARENT || mode == OPAQUE);
}

int WINAPI GetBkMode(HDC hdc) { return ModeOf(hdc, &DeviceContext::bkMode); }

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return ERROR;
    RECT rect = DeviceRect(*dc, left, top, right, bottom);
    dc->userClip = dc->hasUserClip ? IntersectRects(dc->userClip, rect) : IntersectRects(rect, rect);
    dc->hasUserClip = true;
    return IsEmpty(dc->userClip) ? NULLREGION : SIMPLEREGION;
}

BOOL WINAPI GdiFlush(void) { return TRUE; }
