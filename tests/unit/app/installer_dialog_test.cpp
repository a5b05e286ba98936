#include "app/control_ids.h"
#include "app/dialog_commands.h"
#include "app/dialog_controls.h"
#include "unit/app/installer_fixture.h"

#include <cstring>

namespace {

using InstallerDialog = InstallerTest;

// Dialog units to pixels with the dialog font's base units, 6 x 13, rounded as MulDiv rounds.
int Scale(int units, int base, int divisor) {
    return (units * base + divisor / 2) / divisor;
}

void SendCommand(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

TEST_F(InstallerDialog, StartsCentredTopmostAndFilled) {
    StartInstaller();
    RECT frame;
    GetWindowRect(dialog_, &frame);
    EXPECT_EQ(frame.left, (800 - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (600 - (frame.bottom - frame.top)) / 2);
    EXPECT_TRUE(GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(GetParent(dialog_) == installerState.backdropWindow ||
                  GetWindow(dialog_, GW_OWNER) == installerState.backdropWindow,
              true);

    EXPECT_EQ(ItemText(IDC_NOTICE), installerState.noticeText);
    EXPECT_EQ(ItemText(IDC_DEST_FOLDER), installerState.defaultDestFolder);
    EXPECT_STREQ(installerState.defaultDestFolder, "C:\\Program Files\\Vintrel\\Skyledger");
    EXPECT_EQ(GetCheck(dialog_, IDC_STARTUP_CHECK), BST_CHECKED);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_PROGRESS)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
    EXPECT_STREQ(installerState.sourceFolder, installerState.moduleFolder);
    size_t length = strlen(installerState.sourceFolder);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(installerState.sourceFolder[length - 1], '\\');
}

TEST_F(InstallerDialog, ControlsSitWhereTheTemplatePutsThem) {
    struct Placement { int id, x, y, cx, cy; };
    const Placement placements[] = {
        {IDC_PRODUCT_LOGO, 76, 1, 129, 55}, {IDC_NOTICE, 76, 52, 253, 8},
        {IDC_MESSAGE, 76, 76, 200, 26},     {IDC_PROGRESS, 76, 105, 205, 20},
        {IDC_DEST_FOLDER, 77, 110, 187, 12}, {IDC_STARTUP_CHECK, 77, 130, 173, 12},
        {IDC_DISK_SPACE, 76, 151, 123, 12}, {IDC_README, 84, 177, 54, 16},
        {IDOK, 144, 177, 54, 16},           {IDC_FINISH, 218, 177, 54, 16},
        {IDC_MAKER_LOGO, 7, 15, 61, 138},
    };
    StartInstaller();
    for (const Placement& p : placements) {
        RECT rect;
        GetWindowRect(Item(p.id), &rect);
        POINT origin = {rect.left, rect.top};
        ScreenToClient(dialog_, &origin);
        EXPECT_EQ(origin.x, Scale(p.x, 6, 4)) << p.id;
        EXPECT_EQ(origin.y, Scale(p.y, 13, 8)) << p.id;
        EXPECT_EQ(rect.right - rect.left, Scale(p.cx, 6, 4)) << p.id;
        EXPECT_EQ(rect.bottom - rect.top, Scale(p.cy, 13, 8)) << p.id;
    }
}

TEST_F(InstallerDialog, DiskSpaceLineFollowsTheStartUpBox) {
    StartInstaller();
    struct Case { int ticked; const char* line; };
    const Case cases[] = {{0, "Total Disk Space Used: 2477K     "}, {1, "Total Disk Space Used: 2478K     "}};
    for (const Case& c : cases) {
        SetCheck(dialog_, IDC_STARTUP_CHECK, c.ticked);
        EnableInstallButton(dialog_, 0);
        SendCommand(dialog_, IDC_STARTUP_CHECK);
        EXPECT_EQ(ItemText(IDC_DISK_SPACE), c.line);
        EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
    }
    // A click on the box toggles it and recomputes; so does any edit of the folder box.
    SendDlgItemMessageA(dialog_, IDC_STARTUP_CHECK, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_EQ(ItemText(IDC_DISK_SPACE), "Total Disk Space Used: 2477K     ");
    SetCheck(dialog_, IDC_STARTUP_CHECK, 1);
    SendDlgItemMessageA(dialog_, IDC_DEST_FOLDER, WM_SETTEXT, 0, (LPARAM) "D:\\Elsewhere");
    EXPECT_EQ(ItemText(IDC_DISK_SPACE), "Total Disk Space Used: 2478K     ");
    // Once an install has finished, a recomputation leaves Install disabled.
    installerState.installDone = 1;
    SendCommand(dialog_, IDC_STARTUP_CHECK);
    EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
}

TEST_F(InstallerDialog, CancelClosesDialogAndBackdropAndReleasesTheLogo) {
    StartInstaller();
    HBITMAP logo = installerState.productLogoBitmap;
    ASSERT_NE(logo, nullptr);
    HWND backdrop = installerState.backdropWindow;
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_FINISH, BN_CLICKED), (LPARAM)Item(IDC_FINISH));
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(dialog_));
    EXPECT_FALSE(IsWindow(backdrop));
    EXPECT_EQ(installerState.productLogoBitmap, nullptr);
    EXPECT_EQ(GetObjectType(logo), 0u);
    EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(InstallerDialog, EndSessionClosesTheBackdropToo) {
    StartInstaller();
    HWND backdrop = installerState.backdropWindow;
    SendMessageA(dialog_, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(IsWindow(dialog_));  // DefWindowProcA does not destroy on WM_ENDSESSION
    PumpMessages();
    EXPECT_FALSE(IsWindow(backdrop));
    EXPECT_EQ(quitCode_, 0);
}

TEST_F(InstallerDialog, ProductLogoIsLoadedOnceOverRepaints) {
    StartInstaller();
    HBITMAP logo = installerState.productLogoBitmap;
    ASSERT_NE(logo, nullptr);
    for (int i = 0; i < 3; ++i) {
        Repaint(dialog_);
        EXPECT_EQ(installerState.productLogoBitmap, logo);
    }
}

TEST_F(InstallerDialog, ReadmeThatCannotBeOpenedIsReportedAndDropsTopmost) {
    StartInstaller();
    std::filesystem::create_directories(DriveC("Empty"));
    const std::string tooLong = "C:\\" + std::string(247, 'r') + "\\";  // 250 characters
    for (const std::string& source : {std::string("C:\\Empty\\"), tooLong}) {
        ShownBoxes().clear();
        SetWindowPos(dialog_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        snprintf(installerState.sourceFolder, sizeof installerState.sourceFolder, "%s", source.c_str());
        SendCommand(dialog_, IDC_README);
        ASSERT_EQ(ShownBoxes().size(), 1u) << source;
        EXPECT_EQ(ShownBoxes()[0].text, "Can't Open the Readme File");
        EXPECT_EQ(ShownBoxes()[0].caption, "Installer Error");
        EXPECT_EQ(ShownBoxes()[0].owner, dialog_);
        EXPECT_FALSE(GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(strlen(installerState.scratchText) < PATH_TEXT_SIZE, true);
    }
}

TEST_F(InstallerDialog, FinishStartsNothingAfterErrorsAndReportsAPathThatDoesNotFit) {
    struct Case { int done, errors; std::string dest; size_t boxes; };
    const Case cases[] = {
        {0, 1, "C:\\Target\\", 0},
        {1, 0, "C:\\" + std::string(245, 'd') + "\\", 1},  // 249 characters: no room for Tesmara.exe
    };
    for (const Case& c : cases) {
        StartInstaller();
        ShownBoxes().clear();
        installerState.installDone = c.done;
        installerState.installErrors = c.errors;
        snprintf(installerState.destFolder, sizeof installerState.destFolder, "%s", c.dest.c_str());
        FinishInstall(dialog_);
        ASSERT_EQ(ShownBoxes().size(), c.boxes);
        if (c.boxes) {
            EXPECT_EQ(ShownBoxes()[0].text, "Error Running Tesmara 98");
        }
        EXPECT_EQ(RunMessageLoop(), 0);
        EXPECT_FALSE(IsWindow(dialog_));
    }
}

}  // namespace
