#include "app/control_ids.h"
#include "app/install_sequence.h"
#include "engine/install_manifest.h"
#include "ui/progress_bar.h"
#include "unit/app/installer_fixture.h"

#include <cstring>
#include <fstream>
#include <utility>

namespace {

namespace fs = std::filesystem;

const char kUpgradeQuestion[] = "You Are Upgrading a Previously Installed Copy of Tesmara - Continue?";
const char kGroupFailed[] = "Cannot Add Installed Program to Start Menu";

// What the progress control showed at each of its paints.
std::vector<std::pair<std::string, int>>& ProgressPaints() {
    static std::vector<std::pair<std::string, int>> paints;
    return paints;
}

WNDPROC& RecordedProcNext() {
    static WNDPROC next = nullptr;
    return next;
}

LRESULT CALLBACK RecordProgressPaint(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ProgressPaints().emplace_back(installerState.statusText, installerState.progressPercent);
    return CallWindowProcA(RecordedProcNext(), hwnd, message, wParam, lParam);
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

class InstallSequence : public InstallerTest {
protected:
    void SetUp() override {
        InstallerTest::SetUp();
        for (const ManifestEntry& entry : InstallManifest)
            if (strcmp(entry.fileName, JUST_DIR_MARKER) != 0) WriteFile(DriveC("Source") / entry.fileName, entry.description);
        StartInstaller();
        strcpy(installerState.sourceFolder, "C:\\Source\\");
        HWND progress = Item(IDC_PROGRESS);
        RecordedProcNext() = (WNDPROC)GetWindowLongPtrA(progress, GWLP_WNDPROC);
        SetWindowLongPtrA(progress, GWLP_WNDPROC, (LONG_PTR)RecordProgressPaint);
        ProgressPaints().clear();
        ShownBoxes().clear();
    }

    void Install(const char* folderText) {
        SendDlgItemMessageA(dialog_, IDC_DEST_FOLDER, WM_SETTEXT, 0, (LPARAM)folderText);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)Item(IDOK));
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const ShownBox& box : ShownBoxes()) texts.push_back(box.text);
        return texts;
    }

    // Stopped: the folder box and Install usable, the check box, welcome and disk-space lines hidden.
    void ExpectStopped() {
        EXPECT_TRUE(IsWindowVisible(Item(IDC_DEST_FOLDER)));
        EXPECT_TRUE(IsWindowEnabled(Item(IDOK)));
        EXPECT_FALSE(IsWindowVisible(Item(IDC_STARTUP_CHECK)));
        EXPECT_FALSE(IsWindowVisible(Item(IDC_MESSAGE)));
        EXPECT_FALSE(IsWindowVisible(Item(IDC_DISK_SPACE)));
        EXPECT_FALSE(IsWindowVisible(Item(IDC_PROGRESS)));
        EXPECT_EQ(ItemText(IDC_FINISH), "Cancel");
        EXPECT_TRUE(ProgressPaints().empty());
        EXPECT_EQ(installerState.installDone, 0);
    }
};

TEST_F(InstallSequence, FreshInstallCopiesEveryEntryWithItsCaption) {
    Install("C:\\Target");
    ASSERT_EQ(ProgressPaints().size(), (size_t)MANIFEST_ROWS + 1);
    for (int j = 0; j < MANIFEST_ROWS; ++j) {
        EXPECT_EQ(ProgressPaints()[j].first, std::string("Copying ") + InstallManifest[j].description);
        EXPECT_EQ(ProgressPaints()[j].second, j * 6);
    }
    EXPECT_EQ(ProgressPaints().back(), std::make_pair(std::string("Done"), 100));

    EXPECT_STREQ(installerState.destFolder, "C:\\Target\\");
    EXPECT_TRUE(fs::exists(DriveC("Target/Tesmara.exe")));
    EXPECT_TRUE(fs::is_directory(DriveC("Target/Places")));
    EXPECT_TRUE(fs::exists(DriveC("Target/Reference/Starwheel.html")));
    EXPECT_EQ(installerState.installDone, 1);
    EXPECT_EQ(ItemText(IDC_MESSAGE), "Installed Successfully - Click Finish to Start Tesmara");
    EXPECT_TRUE(IsWindowVisible(Item(IDC_MESSAGE)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_PROGRESS)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_DEST_FOLDER)));
    EXPECT_EQ(ItemText(IDC_FINISH), "Finish");
    EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
    // No Program Manager answers in a test machine: the group fails, the rest goes on.
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kGroupFailed});
    EXPECT_EQ(ShownBoxes()[0].caption, "Installer Error");
}

TEST_F(InstallSequence, ExistingFolderAsksBeforeUpgrading) {
    struct Case { const char* folderText; int answer; const char* destFolder; };
    const Case cases[] = {{"C:\\Target", IDNO, "C:\\Target\\"},
                          {"C:\\Target\\", IDNO, "C:\\Target\\"},
                          {"c:\\target", IDYES, "c:\\target\\"}};
    fs::create_directories(DriveC("Target"));
    const char* stale[] = {"TESMARA.GID", "TESM.GID", "TESMARA.FTS", "TESM.FTS", "TESM.INI"};
    for (const char* name : stale) WriteFile(DriveC("Target") / name, "old");
    WriteFile(DriveC("Target/Notes.txt"), "mine");
    char before[PATH_TEXT_SIZE];
    GetCurrentDirectoryA(sizeof before, before);

    for (const Case& c : cases) {
        ShownBoxes().clear();
        BoxAnswers() = {c.answer};
        Install(c.folderText);
        ASSERT_GE(ShownBoxes().size(), 1u) << c.folderText;
        EXPECT_EQ(ShownBoxes()[0].text, kUpgradeQuestion);
        EXPECT_EQ(ShownBoxes()[0].caption, "Installer Query");
        EXPECT_EQ(ShownBoxes()[0].type, (UINT)(MB_ICONQUESTION | MB_YESNO));
        EXPECT_EQ(ShownBoxes()[0].owner, dialog_);
        EXPECT_STREQ(installerState.destFolder, c.destFolder);
        char after[PATH_TEXT_SIZE];
        GetCurrentDirectoryA(sizeof after, after);
        EXPECT_STREQ(after, before);
        if (c.answer == IDNO) {  // after Yes the copies overwrite lastResult
            EXPECT_EQ(installerState.lastResult, IDNO);
            ExpectStopped();
            EXPECT_EQ(ItemText(IDC_DEST_FOLDER), c.folderText);
        }
    }
    // Yes installed over the folder and then removed the stale help indexes and settings only.
    EXPECT_EQ(installerState.installDone, 1);
    EXPECT_TRUE(fs::exists(DriveC("Target/Tesm.exe")));
    for (const char* name : stale) EXPECT_FALSE(fs::exists(DriveC("Target") / name)) << name;
    EXPECT_TRUE(fs::exists(DriveC("Target/Notes.txt")));
}

TEST_F(InstallSequence, OwnFolderInAnyCaseIsRefused) {
    Install("c:\\SOURCE");
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text,
              "The Folder You are Installing FROM and the Folder you are Installing TO Must be Different!");
    EXPECT_EQ(ShownBoxes()[0].caption, "Installer Error");
    EXPECT_EQ(ShownBoxes()[0].type, (UINT)MB_ICONERROR);
    EXPECT_EQ(ItemText(IDC_DEST_FOLDER), installerState.defaultDestFolder);
    ExpectStopped();
}

TEST_F(InstallSequence, MissingSourceFileFailsTheInstallAndSkipsRegistration) {
    fs::remove(DriveC("Source/Kelvath.dll"));
    Install("C:\\Target");
    EXPECT_EQ(ProgressPaints().size(), (size_t)MANIFEST_ROWS + 1);  // every entry is still attempted
    EXPECT_EQ(installerState.installErrors, 1);
    EXPECT_EQ(installerState.installDone, 0);
    EXPECT_EQ(ItemText(IDC_MESSAGE), "There were Errors During the Install - Tesmara was Not Successfully Installed");
    EXPECT_EQ(ItemText(IDC_FINISH), "Finish");
    EXPECT_FALSE(IsWindowEnabled(Item(IDOK)));
    ASSERT_FALSE(ShownBoxes().empty());
    for (const ShownBox& box : ShownBoxes()) EXPECT_NE(box.text, kGroupFailed);
    EXPECT_TRUE(fs::exists(DriveC("Target/Starwheel.html")) || fs::exists(DriveC("Target/Reference/Starwheel.html")));
}

TEST_F(InstallSequence, UnusableFolderTextsAreRefusedBeforeAnythingHappens) {
    const char kEmpty[] = "Please Enter the Folder to Install Tesmara Into";
    const char kTooLong[] = "The Install Folder Name is Too Long - Please Choose a Shorter Folder";
    struct Case { std::string text; const char* box; };
    const Case cases[] = {
        {"", kEmpty},                               // would be the root of the current drive
        {"C:\\" + std::string(256, 'x'), kTooLong},  // 259 characters: no room for the backslash
        {"C:\\" + std::string(300, 'y'), kTooLong},  // more than the buffer holds: would be cut short
    };
    for (const Case& c : cases) {
        ShownBoxes().clear();
        Install(c.text.c_str());
        ASSERT_EQ(BoxTexts(), std::vector<std::string>{c.box}) << c.text.size();
        EXPECT_EQ(ShownBoxes()[0].caption, "Installer Error");
        EXPECT_EQ(ShownBoxes()[0].type, (UINT)MB_ICONERROR);
        ExpectStopped();
    }
    EXPECT_FALSE(fs::exists(DriveC("Tesmara.exe")));
}

LRESULT CALLBACK RefuseToClose(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(InstallSequence, InstallPressedWhileARunningCopyIsReportedDoesNotNest) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RefuseToClose;
    windowClass.hInstance = installerState.hInstance;
    windowClass.lpszClassName = "TTesmForm";
    RegisterClassA(&windowClass);
    HWND running = CreateWindowExA(0, "TTesmForm", "Tesm", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   installerState.hInstance, nullptr);
    ASSERT_NE(running, nullptr);
    // The running-copy box has no owner, so Install can be pressed while it is up.
    WhileBoxIsUp() = [](const ShownBox&) {
        HWND dialog = FindWindowA("VintInstall", nullptr);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDOK));
    };
    Install("C:\\Target");
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].caption, "Tesm.exe Running");
    EXPECT_EQ(ShownBoxes()[0].owner, nullptr);
    ExpectStopped();
    EXPECT_FALSE(fs::exists(DriveC("Target")));
    DestroyWindow(running);

    // Once the copy has closed, Install works again.
    Install("C:\\Target");
    EXPECT_EQ(installerState.installDone, 1);
}

}  // namespace
