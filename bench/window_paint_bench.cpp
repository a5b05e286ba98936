// What one repaint costs: a small control repainted in place (as the progress
// bar is before every file) against a whole screen-sized window, each from
// invalidation to the pixels on the screen.
#include "platform/display/display.h"
#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }

namespace {

LRESULT CALLBACK FillingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    PatBlt(hdc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, BLACKNESS);
    EndPaint(hwnd, &ps);
    return 0;
}

struct Screen {
    HWND backdrop = nullptr;
    HWND bar = nullptr;
    Screen() {
        layer::Profile profile = layer::CurrentProfile();
        profile.display = "headless";
        profile.snapshotDir.clear();
        layer::SetProfile(profile);
        WNDCLASSA wc{};
        wc.lpfnWndProc = FillingProc;
        wc.lpszClassName = "BenchFilling";
        RegisterClassA(&wc);
        backdrop = CreateWindowExA(0, "BenchFilling", "", WS_POPUP | WS_VISIBLE, 0, 0, profile.screenWidth,
                                   profile.screenHeight, nullptr, nullptr, nullptr, nullptr);
        bar = CreateWindowExA(0, "BenchFilling", "", WS_CHILD | WS_VISIBLE, 114, 170, 307, 32, backdrop, nullptr,
                              nullptr, nullptr);
        UpdateWindow(backdrop);
        UpdateWindow(bar);
    }
};

Screen& TheScreen() {
    static Screen screen;
    return screen;
}

void RepaintSmallControl(benchmark::State& state) {
    HWND bar = TheScreen().bar;
    for (auto _ : state) {
        InvalidateRect(bar, nullptr, TRUE);
        UpdateWindow(bar);
    }
}

void RepaintScreenSizedWindow(benchmark::State& state) {
    HWND backdrop = TheScreen().backdrop;
    for (auto _ : state) {
        InvalidateRect(backdrop, nullptr, TRUE);
        RedrawWindow(backdrop, nullptr, nullptr, RDW_UPDATENOW);
    }
}

BENCHMARK(RepaintSmallControl);
BENCHMARK(RepaintScreenSizedWindow);

}  // namespace

BENCHMARK_MAIN();
