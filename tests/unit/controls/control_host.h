// A headless machine with one top-level host window that records what its
// controls send it; tests put controls on it and drive them with messages.
#pragma once

#include "platform/display/display.h"
#include "platform/gdi32/gdi_internal.h"
#include "platform/kernel32/profile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("t98-controls-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        saved_ = layer::CurrentProfile();
        layer::Profile profile = saved_;
        profile.prefix = folder_.string();
        profile.display = "headless";
        profile.snapshotDir.clear();
        layer::SetProfile(profile);
        layer::DisplayClose();
        layer::DisplayOpen();

        static bool registered = false;
        if (!registered) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = HostProc;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = "ControlTestHost";
            registered = RegisterClassA(&wc) != 0;
        }
        current_ = this;
        host = CreateWindowExA(0, "ControlTestHost", "Controls", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 400,
                               300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(host, nullptr);
    }

    void TearDown() override {
        if (IsWindow(host)) DestroyWindow(host);
        Pump();
        current_ = nullptr;
        layer::DisplayClose();
        layer::SetProfile(saved_);
        std::filesystem::remove_all(folder_);
    }

    HWND AddControl(const char* className, const char* text, DWORD style, RECT r, int id, DWORD exStyle = 0) {
        HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, host,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(layer::DialogFont()), FALSE);
        return control;
    }

    // Dispatches what is queued, paints included.
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // WM_COMMAND codes received from the control with this identifier, in order.
    std::vector<WORD> CommandsFrom(int id) const {
        std::vector<WORD> codes;
        for (const HostMessage& m : received)
            if (m.message == WM_COMMAND && LOWORD(m.wParam) == id) codes.push_back(HIWORD(m.wParam));
        return codes;
    }

    // A pixel of a window's client area as the screen shows it (0x00BBGGRR).
    static COLORREF ClientPixel(HWND hwnd, int x, int y) {
        POINT point = {x, y};
        ClientToScreen(hwnd, &point);
        layer::PixelBuffer screen = layer::DisplayScreen();
        uint32_t rgb = screen.pixels[point.y * screen.width + point.x];
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }

    // Lets a test answer a message to the host before the default handling; returns true when it did.
    virtual bool HostMessageHook(HWND, UINT, WPARAM, LPARAM, LRESULT*) { return false; }

    HWND host = nullptr;
    std::vector<HostMessage> received;

private:
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (current_ && hwnd == current_->host) {
            if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT ||
                message == WM_CTLCOLORBTN)
                current_->received.push_back({message, wParam, lParam});
            LRESULT result = 0;
            if (current_->HostMessageHook(hwnd, message, wParam, lParam, &result)) return result;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    static inline ControlHostTest* current_ = nullptr;
    std::filesystem::path folder_;
    layer::Profile saved_;
};
