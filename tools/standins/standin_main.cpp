// A stand-in for one of the product's programs: one top-level window of the
// product's class that goes away on WM_CLOSE. For tests it can instead refuse
// to close, hang inside WM_CLOSE, or stop taking messages at all, chosen by
// the word "refuse", "hang" or "stall" on its command line or in T98_STANDIN.
#include "platform/win32.h"

#include <cstdlib>
#include <cstring>

#ifndef STANDIN_CLASS
#error "STANDIN_CLASS and STANDIN_TITLE name the program this stands in for"
#endif

namespace {

enum class Behaviour { Closes, Refuses, Hangs, Stalls };

Behaviour behaviour = Behaviour::Closes;

bool Asks(const char* commandLine, const char* word) {
    const char* chosen = getenv("T98_STANDIN");
    return (commandLine && strstr(commandLine, word)) || (chosen && strcmp(chosen, word) == 0);
}

void NeverReturn() {
    for (;;) Sleep(1000);
}

LRESULT CALLBACK StandinWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (behaviour == Behaviour::Hangs) NeverReturn();
        if (behaviour == Behaviour::Closes) DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (Asks(commandLine, "refuse")) behaviour = Behaviour::Refuses;
    if (Asks(commandLine, "hang")) behaviour = Behaviour::Hangs;
    if (Asks(commandLine, "stall")) behaviour = Behaviour::Stalls;

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandinWndProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = STANDIN_CLASS;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, STANDIN_CLASS, STANDIN_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  320, 200, NULL, NULL, instance, NULL);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    if (behaviour == Behaviour::Stalls) NeverReturn();

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
