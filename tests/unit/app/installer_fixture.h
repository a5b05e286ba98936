// A fresh machine for each test of the installer: a prefix of its own, a headless
// screen, pauses that take no time, and message boxes answered from a queue.
#pragma once

#include "app/installer_state.h"
#include "app/win_main.h"
#include "platform/display/display.h"
#include "platform/kernel32/profile.h"
#include "platform/user32/message_box_observer.h"
#include "support/scratch_machine.h"
#include "support/screen_pixels.h"
#include "support/shown_box.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

inline std::vector<ShownBox>& ShownBoxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
}

// Answers for the coming boxes, in order; a box with none queued is answered IDOK.
inline std::deque<int>& BoxAnswers() {
    static std::deque<int> answers;
    return answers;
}

// Runs inside a box, as a person would act while it is up; cleared after one use.
inline void (*&WhileBoxIsUp())(const ShownBox&) {
    static void (*action)(const ShownBox&) = nullptr;
    return action;
}

inline int AnswerBox(HWND owner, const char* text, const char* caption, UINT type) {
    ShownBoxes().push_back({owner, text ? text : "", caption ? caption : "", type});
    if (auto action = WhileBoxIsUp()) {
        WhileBoxIsUp() = nullptr;
        action(ShownBoxes().back());
    }
    if (BoxAnswers().empty()) return IDOK;
    int answer = BoxAnswers().front();
    BoxAnswers().pop_front();
    return answer;
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer::Profile profile = machine_.Prepare("product");
        ASSERT_FALSE(machine_.prefix().empty());
        profile.timeScale = 0;
        profile.snapshotDir.clear();
        Configure(profile);
        layer::SetProfile(profile);
        layer::DisplayClose();
        layer::DisplayOpen();
        installerState = InstallerState{};
        installerState.hInstance = GetModuleHandleA(nullptr);
        snprintf(installerState.noticeText, sizeof installerState.noticeText, "V3.10 / 13-May-98 - test");
        ShownBoxes().clear();
        BoxAnswers().clear();
        WhileBoxIsUp() = nullptr;
        layer::SetMessageBoxObserver(AnswerBox);
    }

    void TearDown() override {
        if (IsWindow(dialog_)) DestroyWindow(dialog_);
        if (IsWindow(installerState.backdropWindow)) DestroyWindow(installerState.backdropWindow);
        PumpMessages();
        if (installerState.productLogoBitmap) DeleteObject(installerState.productLogoBitmap);
        if (installerState.backdropBitmap) DeleteObject(installerState.backdropBitmap);
        layer::SetMessageBoxObserver(nullptr);
        layer::DisplayClose();
        machine_.Restore();
    }

    // Lets a test change the machine (screen, depth, colours) before the screen opens.
    virtual void Configure(layer::Profile&) {}

    HWND StartInstaller() {
        dialog_ = CreateInstallerWindows();
        PumpMessages();
        return dialog_;
    }

    // Dispatches what is queued, paints included; records a WM_QUIT instead of ending.
    void PumpMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitCode_ = (int)msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // Repaints the window and all its children now.
    static void Repaint(HWND hwnd) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    std::string ItemText(int id) const {
        char text[512] = {};
        GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }

    // A host path inside the prefix's C: drive.
    std::filesystem::path DriveC(const std::string& relative) const {
        return std::filesystem::path(machine_.prefix()) / "drive_c" / relative;
    }

    ScratchMachine machine_;
    HWND dialog_ = nullptr;
    int quitCode_ = -1;
};
