#include "platform/gdi32/fonts.h"

#include "platform/gdi32/font_cache.h"

#include <cstring>

namespace layer {
namespace {

constexpr int kMaxPixelSize = 512;  // far beyond any text the product draws

FontInstance* InstanceOf(HDC hdc) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return nullptr;
    const FontData& font = SelectedFont(*dc);
    return FontFor(font.pixelSize, font.bold);
}

BOOL MeasureText(HDC hdc, LPCSTR text, int length, LPSIZE size) {
    FontInstance* font = InstanceOf(hdc);
    if (!font) return FALSE;
    if (!size || length < 0 || (length > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    long width = 0;
    for (int i = 0; i < length; ++i) width += font->GlyphOf(static_cast<unsigned char>(text[i])).advance;
    size->cx = LONG(width);
    size->cy = font->Metrics().ascent + font->Metrics().descent;
    return TRUE;
}

}  // namespace

FontData MakeFontData(const LOGFONTA& log) {
    FontData font;
    font.log = log;
    font.log.lfFaceName[sizeof font.log.lfFaceName - 1] = '\0';
    font.bold = log.lfWeight >= 600;
    long height = log.lfHeight;
    // Negative: the em height; positive: the cell height; zero: the default size.
    if (height < 0) font.pixelSize = height < -kMaxPixelSize ? kMaxPixelSize : int(-height);
    else if (height > 0) font.pixelSize = EmForCellHeight(height > kMaxPixelSize ? kMaxPixelSize : int(height), font.bold);
    else font.pixelSize = 13;
    return font;
}

const FontData& SelectedFont(const DeviceContext& dc) {
    const GdiObject* font = GdiObjects().Get(reinterpret_cast<uintptr_t>(dc.font));
    if (font && font->type == OBJ_FONT) return font->font;
    return GdiObjects().Get(reinterpret_cast<uintptr_t>(GetStockObject(SYSTEM_FONT)))->font;
}

HFONT DialogFont() {
    static HFONT font = [] {
        HFONT created = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
        // Shared by every dialog, so nobody may delete it.
        if (GdiObject* object = GdiObjects().Get(reinterpret_cast<uintptr_t>(created))) object->stock = true;
        return created;
    }();
    return font;
}

}  // namespace layer

using namespace layer;

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* log) {
    if (!log) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto object = std::make_unique<GdiObject>();
    object->type = OBJ_FONT;
    object->font = MakeFontData(*log);
    return static_cast<HFONT>(AddObject(std::move(object)));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = BYTE(italic);
    log.lfUnderline = BYTE(underline);
    log.lfStrikeOut = BYTE(strikeOut);
    log.lfCharSet = BYTE(charSet);
    log.lfOutPrecision = BYTE(outPrecision);
    log.lfClipPrecision = BYTE(clipPrecision);
    log.lfQuality = BYTE(quality);
    log.lfPitchAndFamily = BYTE(pitchAndFamily);
    if (face) std::strncpy(log.lfFaceName, face, sizeof log.lfFaceName - 1);
    return CreateFontIndirectA(&log);
}

BOOL WINAPI GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
    DeviceContext* dc = LookUpDc(hdc);
    if (!dc) return FALSE;
    if (!metrics) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontData& data = SelectedFont(*dc);
    FontInstance* font = FontFor(data.pixelSize, data.bold);
    if (!font) return FALSE;
    const FontMetrics& m = font->Metrics();
    *metrics = TEXTMETRICA{};
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmHeight = m.ascent + m.descent;
    metrics->tmInternalLeading = metrics->tmHeight - data.pixelSize;
    metrics->tmAveCharWidth = m.averageWidth;
    metrics->tmMaxCharWidth = m.maxWidth;
    metrics->tmWeight = data.bold ? FW_BOLD : FW_NORMAL;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xff;
    metrics->tmDefaultChar = 0x1f;
    metrics->tmBreakChar = 0x20;
    // Variable pitch (the bit's documented sense), vector, TrueType, Swiss.
    metrics->tmPitchAndFamily = 0x01 | 0x02 | 0x04 | FF_SWISS;
    metrics->tmCharSet = ANSI_CHARSET;
    return TRUE;
}

BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR text, int length, LPSIZE size) {
    return MeasureText(hdc, text, length, size);
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size) {
    return MeasureText(hdc, text, length, size);
}
