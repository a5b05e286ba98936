// A headless screen and a window class that logs what its windows receive.
#pragma once

#include "platform/display/display.h"
#include "platform/kernel32/profile.h"
#include "platform/win32.h"
#include "support/screen_pixels.h"
#include "support/test_window_class.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class WindowTest : public ::testing::Test {
protected:
    static constexpr char kClass[] = "LoggingWindow";

    void SetUp() override {
        saved_ = layer::CurrentProfile();
        layer::Profile profile = saved_;
        profile.display = "headless";
        profile.screenWidth = 640;
        profile.screenHeight = 480;
        profile.snapshotDir.clear();
        layer::SetProfile(profile);
        layer::DisplayClose();
        layer::DisplayOpen();
        RegisterTestWindowClass(kClass, LoggingProc, 16);
        current_ = this;
    }

    void TearDown() override {
        for (HWND hwnd : created_)
            if (IsWindow(hwnd)) DestroyWindow(hwnd);
        Drain();
        current_ = nullptr;
        layer::DisplayClose();
        layer::SetProfile(saved_);
    }

    HWND Make(DWORD style, RECT r, HWND parent = nullptr, DWORD exStyle = 0, int id = 0, const char* title = "") {
        HWND hwnd = CreateWindowExA(exStyle, kClass, title, style, r.left, r.top, r.right - r.left,
                                    r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    nullptr, nullptr);
        if (!(style & WS_CHILD)) created_.push_back(hwnd);
        return hwnd;
    }

    // Dispatches everything queued, paints included; WM_QUIT is left alone.
    static void Drain() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT &&
               PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // The messages of one kind that a window received, in order.
    std::vector<LoggedMessage> Received(UINT message, HWND hwnd = nullptr) const {
        std::vector<LoggedMessage> found;
        for (const LoggedMessage& m : log)
            if (m.message == message && (!hwnd || m.hwnd == hwnd)) found.push_back(m);
        return found;
    }

    std::vector<LoggedMessage> log;
    // Answers a message before the default handling; returns true when it did.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> hook;

private:
    static LRESULT CALLBACK LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (current_) {
            current_->log.push_back({hwnd, message, wParam, lParam});
            LRESULT result = 0;
            if (current_->hook && current_->hook(hwnd, message, wParam, lParam, &result)) return result;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    static inline WindowTest* current_ = nullptr;
    std::vector<HWND> created_;
    layer::Profile saved_;
};
