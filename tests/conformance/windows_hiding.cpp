// What a busy program's screen shows when it hides a control without pumping
// messages: the installer hides controls and then copies files for seconds.
#include "conformance/check.h"
#include "platform/win32.h"

#include <cstring>

namespace {

void RegisterPlainClass(const char* name, HBRUSH background) {
    WNDCLASSA wc;
    std::memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void DispatchPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

CONFORMANCE_TEST(HidingAChildErasesItsParentAtOnce) {
    RegisterPlainClass("ConformanceFaceParent", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RegisterPlainClass("ConformanceBlackChild", static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HWND parent = CreateWindowExA(0, "ConformanceFaceParent", "Parent", WS_POPUP | WS_VISIBLE, 60, 60, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND child = CreateWindowExA(0, "ConformanceBlackChild", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 30, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(parent);
    UpdateWindow(child);
    DispatchPending();
    HDC dc = GetDC(parent);
    CHECK_EQ(GetPixel(dc, 20, 20), RGB(0, 0, 0));
    ShowWindow(child, SW_HIDE);
    // No message is dispatched between the hiding and the look.
    CHECK_EQ(GetPixel(dc, 20, 20), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(parent, dc);
    DestroyWindow(parent);
}
