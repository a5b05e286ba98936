#include "unit/gdi32/gdi_test_support.h"

#include "platform/gdi32/gdi_internal.h"

using gdi_test::DibCanvas;
using gdi_test::Quad;

namespace {

// A packed 8-bit DIB (header, 256 colours, bits) as a bitmap resource holds it.
std::vector<uint8_t> PackedDib(int width, int height, const std::vector<RGBQUAD>& colours, uint8_t fill) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biClrUsed = DWORD(colours.size());
    int stride = (width + 3) / 4 * 4;
    std::vector<uint8_t> dib(sizeof header + colours.size() * 4 + size_t(stride * height), fill);
    std::memcpy(dib.data(), &header, sizeof header);
    std::memcpy(dib.data() + sizeof header, colours.data(), colours.size() * 4);
    return dib;
}

std::vector<RGBQUAD> GreyTable() {
    std::vector<RGBQUAD> table(256);
    for (int i = 0; i < 256; ++i) table[size_t(i)] = Quad(BYTE(i), BYTE(i), BYTE(i));
    return table;
}

TEST(Dib, PackedResourcesBecomeSectionsOrScreenBitmaps) {
    std::vector<uint8_t> dib = PackedDib(3, 2, GreyTable(), 192);
    HBITMAP section = layer::CreateBitmapFromPackedDib(dib.data(), dib.size(), true);
    HBITMAP screen = layer::CreateBitmapFromPackedDib(dib.data(), dib.size(), false);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(screen, nullptr);
    BITMAP info;
    ASSERT_EQ(GetObjectA(section, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 8);
    EXPECT_EQ(info.bmWidthBytes, 4);
    EXPECT_NE(info.bmBits, nullptr);
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_EQ(GetObjectA(screen, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, GetDeviceCaps(display, BITSPIXEL));
    EXPECT_EQ(info.bmBits, nullptr);
    HDC dc = CreateCompatibleDC(display);
    HGDIOBJ previous = SelectObject(dc, screen);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(192, 192, 192));
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteDC(display);
    DeleteObject(section);
    DeleteObject(screen);
}

TEST(Dib, MalformedPackedDataIsRefused) {
    std::vector<uint8_t> good = PackedDib(3, 2, GreyTable(), 0);
    auto header = [&](std::vector<uint8_t> dib, auto change) {
        BITMAPINFOHEADER h;
        std::memcpy(&h, dib.data(), sizeof h);
        change(h);
        std::memcpy(dib.data(), &h, sizeof h);
        return dib;
    };
    std::vector<std::vector<uint8_t>> bad = {
        std::vector<uint8_t>(good.begin(), good.end() - 1),  // bits cut short
        std::vector<uint8_t>(good.begin(), good.begin() + 20),
        header(good, [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }),
        header(good, [](BITMAPINFOHEADER& h) { h.biWidth = 0x7fffffff; }),
        header(good, [](BITMAPINFOHEADER& h) { h.biHeight = 0x40000000; }),
        header(good, [](BITMAPINFOHEADER& h) { h.biSize = 0x7fffffff; }),
        header(good, [](BITMAPINFOHEADER& h) { h.biCompression = 1; }),  // run-length coded
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        for (bool section : {true, false})
            EXPECT_EQ(layer::CreateBitmapFromPackedDib(bad[i].data(), bad[i].size(), section), nullptr) << i;
    }
    EXPECT_EQ(layer::CreateBitmapFromPackedDib(nullptr, 100, true), nullptr);
}

TEST(Dib, RemappedColourTableChangesWhatIsDrawn) {
    // The maker's-logo recipe: a section of its own, its greys replaced, then copied.
    std::vector<uint8_t> dib = PackedDib(2, 1, GreyTable(), 128);
    HBITMAP image = layer::CreateBitmapFromPackedDib(dib.data(), dib.size(), true);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, image);
    RGBQUAD table[256];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
    table[128] = Quad(10, 20, 30);
    ASSERT_EQ(SetDIBColorTable(dc, 0, 256, table), 256u);
    DibCanvas target(2, 1, 32);
    BitBlt(target.dc, 0, 0, 2, 1, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(target.dc, 1, 0), RGB(10, 20, 30));
    // A second image loaded from the same bytes has the original table.
    HBITMAP fresh = layer::CreateBitmapFromPackedDib(dib.data(), dib.size(), true);
    SelectObject(dc, fresh);
    ASSERT_EQ(GetDIBColorTable(dc, 128, 1, table), 1u);
    EXPECT_EQ(table[0].rgbRed, 128);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(image);
    DeleteObject(fresh);
}

TEST(Dib, GetAndSetDibitsRoundTripBySpansOfScanLines) {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 4);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(screen, bitmap, 0, 4, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biWidth, 2);
    EXPECT_EQ(info.bmiHeader.biHeight, 4);
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Bottom-up: scan line 0 is the bottom row. Write lines 1 and 2 only.
    uint32_t lines[4] = {0x00FF0000, 0x00FF0000, 0x0000FF00, 0x0000FF00};
    EXPECT_EQ(SetDIBits(screen, bitmap, 1, 2, lines, &info, DIB_RGB_COLORS), 2);
    uint32_t all[8] = {};
    EXPECT_EQ(GetDIBits(screen, bitmap, 0, 10, all, &info, DIB_RGB_COLORS), 4);  // clipped to the height
    const uint32_t expected[8] = {0, 0, 0x00FF0000, 0x00FF0000, 0x0000FF00, 0x0000FF00, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(all[i], expected[i]) << i;
    EXPECT_EQ(GetDIBits(screen, bitmap, 4, 1, all, &info, DIB_RGB_COLORS), 0);
    info.bmiHeader.biWidth = 3;  // not the bitmap's size
    EXPECT_EQ(GetDIBits(screen, bitmap, 0, 4, all, &info, DIB_RGB_COLORS), 0);
    DeleteObject(bitmap);
    DeleteDC(screen);
}

TEST(Dib, CreateDibSectionRefusesWhatItCannotHold) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 100000;
    info.bmiHeader.biHeight = 100000;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, 1 /* palette indexes */, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

}  // namespace
