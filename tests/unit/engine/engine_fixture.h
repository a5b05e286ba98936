// A fresh machine for each engine test: an empty prefix, a clean installer
// state, and message boxes answered in-process and remembered.
#pragma once

#include "app/installer_state.h"
#include "platform/kernel32/paths.h"
#include "platform/kernel32/profile.h"
#include "platform/user32/message_box_observer.h"
#include "platform/win32.h"
#include "support/scratch_machine.h"
#include "support/shown_box.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer::Profile profile = machine_.Prepare("engine");
        ASSERT_FALSE(machine_.prefix().empty());
        profile.faults.clear();
        profile.timeScale = 0;
        layer::SetProfile(profile);
        installerState = InstallerState{};
        Boxes().clear();
        layer::SetMessageBoxObserver(&Remember);
    }

    void TearDown() override {
        if (owner_) DestroyWindow(owner_);
        layer::SetMessageBoxObserver(nullptr);
        machine_.Restore();
    }

    // A window to own the error boxes, as the installer dialog does.
    HWND Owner() {
        if (!owner_) {
            owner_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        }
        return owner_;
    }

    static std::vector<ShownBox>& Boxes() {
        static std::vector<ShownBox> boxes;
        return boxes;
    }

    // The host file behind a Windows path of this machine.
    static std::string Host(const std::string& windowsPath) { return layer::ResolveWindowsPath(windowsPath).path; }

    // Writes a file, making the folders on its way.
    static void PutFile(const std::string& windowsPath, const std::string& content) {
        MakeFolders(windowsPath.substr(0, windowsPath.rfind('\\')));
        std::ofstream(Host(windowsPath), std::ios::binary) << content;
    }

    static void MakeFolders(const std::string& windowsPath) {
        for (size_t at = windowsPath.find('\\'); at != std::string::npos; at = windowsPath.find('\\', at + 1)) {
            CreateDirectoryA(windowsPath.substr(0, at).c_str(), nullptr);
        }
        CreateDirectoryA(windowsPath.c_str(), nullptr);
    }

    static std::string ReadBack(const std::string& windowsPath) {
        std::ifstream in(Host(windowsPath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static bool IsFolder(const std::string& windowsPath) {
        DWORD attributes = GetFileAttributesA(windowsPath.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    static bool IsFile(const std::string& windowsPath) {
        DWORD attributes = GetFileAttributesA(windowsPath.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

private:
    static int Remember(HWND owner, const char* text, const char* caption, UINT type) {
        Boxes().push_back({owner, text, caption, type});
        return IDOK;
    }

    ScratchMachine machine_;
    HWND owner_ = nullptr;
};
