// A headless machine with one top-level host window that records what its
// controls send it; tests put controls on it and drive them with messages.
#pragma once

#include "platform/display/display.h"
#include "platform/gdi32/gdi_internal.h"
#include "platform/kernel32/profile.h"
#include "support/scratch_machine.h"
#include "support/screen_pixels.h"
#include "support/test_window_class.h"

#include <gtest/gtest.h>

#include <vector>

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer::Profile profile = machine_.Prepare("controls");
        ASSERT_FALSE(machine_.prefix().empty());
        profile.snapshotDir.clear();
        layer::SetProfile(profile);
        layer::DisplayClose();
        layer::DisplayOpen();

        RegisterTestWindowClass("ControlTestHost", HostProc);
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
        machine_.Restore();
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
    ScratchMachine machine_;
};
