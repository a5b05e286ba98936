// BitBlt over a full 800 x 600 window buffer: the row-copy path (same depth,
// SRCCOPY) side by side with a converting copy and a combining operation.
#include "platform/gdi32/gdi_internal.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kWidth = 800, kHeight = 600;

struct Scene {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t(kWidth) * kHeight);
    HDC window = layer::CreateBufferDC(layer::PixelBuffer{pixels.data(), kWidth, kHeight}, 0, 0,
                                       RECT{0, 0, kWidth, kHeight});
    HDC source = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;

    explicit Scene(int depth) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = WORD(depth);
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        SelectObject(source, bitmap);
    }
    ~Scene() {
        DeleteDC(source);
        DeleteObject(bitmap);
        DeleteDC(window);
    }
};

void Blit(benchmark::State& state, int depth, DWORD rop) {
    Scene scene(depth);
    for (auto _ : state) BitBlt(scene.window, 0, 0, kWidth, kHeight, scene.source, 0, 0, rop);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void SrcCopySameDepth(benchmark::State& state) { Blit(state, 32, SRCCOPY); }
void SrcCopyFrom24Bits(benchmark::State& state) { Blit(state, 24, SRCCOPY); }
void SrcCopyFrom8Bits(benchmark::State& state) { Blit(state, 8, SRCCOPY); }
void SrcAndSameDepth(benchmark::State& state) { Blit(state, 32, SRCAND); }

BENCHMARK(SrcCopySameDepth)->Unit(benchmark::kMicrosecond);
BENCHMARK(SrcCopyFrom24Bits)->Unit(benchmark::kMicrosecond);
BENCHMARK(SrcCopyFrom8Bits)->Unit(benchmark::kMicrosecond);
BENCHMARK(SrcAndSameDepth)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
