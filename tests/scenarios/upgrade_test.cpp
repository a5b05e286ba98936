// Installing over a folder that is there already: the upgrade question.
#include "scenarios/install_checks.h"

#include "unit/display/png_reader.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const kStaleFiles[] = {"TESMARA.GID", "TESM.GID", "TESMARA.FTS", "TESM.FTS", "TESM.INI"};

class Upgrade : public InstallerRun {
protected:
    // An older install: every file with other contents, and the stale index and settings files.
    void PlaceOlderInstall() {
        for (const std::string& file : ProductFiles()) WriteFile(OnDriveC(std::string(kInstalledTo) + "/" + file), "old");
        for (const char* stale : kStaleFiles) WriteFile(OnDriveC(std::string(kInstalledTo) + "/" + stale), "stale");
    }
};

// Counts the pixels of a screen band that are not the dialog face colour.
int MarkedPixels(const DecodedPng& screen, int left, int top, int right, int bottom) {
    int marked = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) marked += screen.pixels[y * screen.width + x] != 0xC0C0C0;
    return marked;
}

int DifferingPixelsInRow(const DecodedPng& one, const DecodedPng& other, int y, int left, int right) {
    int differing = 0;
    for (int x = left; x < right; ++x) differing += one.pixels[y * one.width + x] != other.pixels[y * other.width + x];
    return differing;
}

TEST_F(Upgrade, NoStopsWithTheFolderAsTypedAndYesReplacesEveryFile) {
    PlaceOlderInstall();
    StartProgman();
    StartInstaller();
    // Typed in another letter case and without the final backslash.
    const std::string typed = "c:\\program files\\VINTREL\\Skyledger";
    ASSERT_EQ(RunRobot("wait-window VintInstall\nwait-still 300\nsnapshot " + root + "/ready.png\n"
                       "set-folder \"" + typed + "\"\nclick 1\n"
                       "expect-box \"Installer Query\" no "
                       "\"You Are Upgrading a Previously Installed Copy of Tesmara - Continue?\"\n"
                       "expect-text 101 \"" + typed + "\"\n"
                       "wait-still 300\nsnapshot " + root + "/stopped.png\n"),
              0);
    EXPECT_EQ(ReadFile(OnDriveC(std::string(kInstalledTo) + "/Tesmara.exe")), "old");
    EXPECT_FALSE(HoldsRegistration(RegistryExport()));

    // Stopped: the StartUp box is gone from the screen while the folder box stays.
    DecodedPng ready, stopped;
    ASSERT_TRUE(ReadPng(root + "/ready.png", &ready));
    ASSERT_TRUE(ReadPng(root + "/stopped.png", &stopped));
    const int startupBand[] = {296, 358, 560, 376};
    const int folderBand[] = {298, 326, 576, 344};
    EXPECT_GT(MarkedPixels(ready, startupBand[0], startupBand[1], startupBand[2], startupBand[3]), 100);
    EXPECT_EQ(MarkedPixels(stopped, startupBand[0], startupBand[1], startupBand[2], startupBand[3]), 0);
    EXPECT_GT(MarkedPixels(stopped, folderBand[0], folderBand[1], folderBand[2], folderBand[3]), 1000);
    // The folder box keeps its sunken frame once the question's box is gone from over it.
    for (int frameRow : {325, 326, 344}) EXPECT_EQ(DifferingPixelsInRow(stopped, ready, frameRow, 300, 570), 0) << frameRow;

    ASSERT_EQ(RunRobot("click 1\nexpect-box \"Installer Query\" yes \"Upgrading\"\n"
                       "expect-text 113 \"Installed Successfully - Click Finish to Start Tesmara\"\n"
                       "click 109\nwait-gone VintInstall\nclose-window VintTesmara\n"),
              0);
    EXPECT_EQ(InstallerExit(), 0);
    ExpectProductAt(*this, kInstalledTo);
    ExpectRegisteredFor(RegistryExport(), typed + "\\");
    for (const char* stale : kStaleFiles)
        EXPECT_FALSE(fs::exists(OnDriveC(std::string(kInstalledTo) + "/" + stale))) << stale;
}

}  // namespace
