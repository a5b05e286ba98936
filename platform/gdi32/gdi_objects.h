// The GDI's objects and device contexts, each kind in its checked handle table.
#pragma once

#include "platform/common/handle_table.h"
#include "platform/gdi32/gdi_internal.h"
#include "platform/gdi32/surface.h"
#include "platform/win32.h"

#include <memory>

namespace layer {

struct BitmapData {
    Surface surface;
    bool dibSection = false;
};

struct PenData {
    LOGPEN log{};
};

struct BrushData {
    COLORREF colour = 0;
    bool hollow = false;
};

struct FontData {
    LOGFONTA log{};
    int pixelSize = 0;  // em height in pixels
    bool bold = false;
};

struct GdiObject {
    DWORD type = 0;  // OBJ_BITMAP, OBJ_PEN, OBJ_BRUSH or OBJ_FONT
    bool stock = false;
    bool deletePending = false;  // deleted by the caller while still selected
    BitmapData bitmap;
    PenData pen;
    BrushData brush;
    FontData font;
};

enum class DcKind { Display, Memory, Buffer };

struct DeviceContext {
    DcKind kind = DcKind::Memory;
    HGDIOBJ bitmap = nullptr;  // memory contexts only
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int mapMode = MM_TEXT;
    POINT position{0, 0};
    // Buffer contexts: the window's pixels, where logical (0, 0) lies, and the clips in buffer coordinates.
    Surface buffer;
    POINT origin{0, 0};
    RECT bufferLimit{0, 0, 0, 0};
    RECT bufferClip{0, 0, 0, 0};
    // IntersectClipRect's clip, in device coordinates.
    bool hasUserClip = false;
    RECT userClip{0, 0, 0, 0};
};

HandleTable<GdiObject>& GdiObjects();
HandleTable<DeviceContext>& DeviceContexts();

// The live object behind a handle of the wanted type (0: any), or nullptr with ERROR_INVALID_HANDLE set.
GdiObject* LookUpObject(HGDIOBJ handle, DWORD type = 0);
// The live context behind a handle, or nullptr with ERROR_INVALID_HANDLE set.
DeviceContext* LookUpDc(HDC hdc);
// Adds an object to the table; its handle, or nullptr when the table is full.
HGDIOBJ AddObject(std::unique_ptr<GdiObject> object);
// Frees an object whose deletion waited until it left its last context.
void ReleaseIfPending(HGDIOBJ handle);
// The context that has the object selected, or nullptr.
HDC ContextHolding(HGDIOBJ handle);
// The 1 x 1 monochrome bitmap a fresh memory context holds.
HGDIOBJ DefaultBitmap();

// The surface a context draws into, or nullptr (the display context has none).
Surface* TargetSurface(DeviceContext& dc);
// The rectangle a context may draw into, in device coordinates (clipped to its surface).
RECT DeviceClip(const DeviceContext& dc);
// Logical to device coordinates (MM_TEXT: a shift by the buffer origin), held within
// +-2^28 (beyond the 27 bits Windows NT honours) so that sums and differences of
// device coordinates never overflow.
POINT ToDevice(const DeviceContext& dc, long long x, long long y);
// The logical rectangle [left, right) x [top, bottom) in device coordinates, held likewise.
RECT DeviceRect(const DeviceContext& dc, long long left, long long top, long long right, long long bottom);
// The display depth as a device reports it.
int DeviceDepth();

RECT IntersectRects(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& r);

}  // namespace layer
