// A picture of every control and a message box over them, for a person to look
// at: written to $T98_BUILD_DIR/controls_gallery.png (or the temp folder).
#include "control_host.h"

#include <cstdlib>
#include <functional>

namespace {

class GalleryTest : public ControlHostTest {
protected:
    bool HostMessageHook(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) override {
        if (message != WM_USER) return false;
        HWND box = FindWindowA("#32770", "Installer Query");
        if (box) {
            RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            written = layer::DisplayWritePng(path);
            PostMessageA(box, WM_COMMAND, IDNO, 0);
        }
        *result = 0;
        return true;
    }

    std::string path;
    bool written = false;
};

TEST_F(GalleryTest, EveryControlAndAMessageBox) {
    const char* dir = std::getenv("T98_BUILD_DIR");
    path = (dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path()) / "controls_gallery.png";
    MoveWindow(host, 20, 20, 460, 260, TRUE);
    SetWindowTextA(host, "Vintrel Software - Tesmara 98 Install");
    AddControl("STATIC", "Welcome to the Tesmara 98 Skyledger Install program. Please select the install folder "
               "and the options you wish, then click the Install button.",
               SS_LEFT, RECT{12, 10, 312, 50}, 113);
    AddControl("STATIC", "", SS_ETCHEDHORZ, RECT{12, 56, 432, 58}, -1);
    HWND edit = AddControl("EDIT", "", 0, RECT{12, 66, 292, 85}, 101, WS_EX_CLIENTEDGE);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Program Files\\Vintrel\\Skyledger"));
    HWND check = AddControl("BUTTON", "Show Tesmara Taskbar Icon at System Startup", BS_AUTOCHECKBOX | WS_TABSTOP,
                            RECT{12, 94, 292, 113}, 103);
    SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
    AddControl("STATIC", "Total Disk Space Used: 2477K     ", SS_LEFT, RECT{12, 120, 212, 140}, 112);
    AddControl("STATIC", "", SS_ETCHEDHORZ, RECT{12, 150, 432, 152}, -1);
    AddControl("BUTTON", "Readme", BS_PUSHBUTTON, RECT{60, 180, 141, 206}, 111);
    HWND install = AddControl("BUTTON", "Install >", BS_PUSHBUTTON, RECT{150, 180, 231, 206}, IDOK);
    HWND cancel = AddControl("BUTTON", "Cancel", BS_PUSHBUTTON, RECT{260, 180, 341, 206}, 109);
    EnableWindow(install, FALSE);
    SetFocus(cancel);
    UpdateWindow(host);
    Pump();

    PostMessageA(host, WM_USER, 0, 0);
    EXPECT_EQ(MessageBoxA(host, "You Are Upgrading a Previously Installed Copy of Tesmara - Continue?",
                          "Installer Query", MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_TRUE(written) << path;
}

}  // namespace
