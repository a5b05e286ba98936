// Installs that meet a failure on the way: a file that cannot be placed, and
// no Program Manager to make the group.
#include "scenarios/install_checks.h"

#include "scenarios/child_process.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char kFailureText[] = "There were Errors During the Install - Tesmara was Not Successfully Installed";

// An older install holding a stale settings file, so the upgrade is asked and answered Yes.
void PlaceOlderInstallWithStaleSettings(const InstallerRun& run) {
    run.WriteFile(run.OnDriveC(std::string(kInstalledTo) + "/TESM.INI"), "stale");
}

std::string InstallOverAndMeetOneError(const std::string& reason, const std::string& file) {
    return "wait-window VintInstall\nclick 1\nexpect-box \"Installer Query\" yes \"Upgrading\"\n"
           "expect-box \"Installer Error\" ok \"Error '" + reason + "' While Copying C:\\Disk1\\" + file +
           " to C:\\Program Files\\Vintrel\\Skyledger\\" + file + "\"\n"
           "expect-text 113 \"" + kFailureText + "\"\nno-box 200\nclick 109\nwait-gone VintInstall\n";
}

// After a failed copy: the other entries placed, and nothing of what follows a good copy.
void ExpectFailedInstallLeftEverythingElse(InstallerRun& run, const std::string& failedFile) {
    for (const std::string& file : ProductFiles()) {
        if (file == failedFile) continue;
        EXPECT_EQ(run.ReadFile(run.OnDriveC(std::string(kInstalledTo) + "/" + file)),
                  run.ReadFile(run.Source(fs::path(file).filename().string())))
            << file;
    }
    EXPECT_TRUE(fs::is_directory(run.OnDriveC(std::string(kInstalledTo) + "/Places")));
    EXPECT_TRUE(fs::is_directory(run.OnDriveC(std::string(kInstalledTo) + "/BGs")));
    EXPECT_TRUE(run.GroupItems().empty());
    EXPECT_FALSE(HoldsRegistration(run.RegistryExport()));
    EXPECT_EQ(run.ReadFile(run.OnDriveC(std::string(kInstalledTo) + "/TESM.INI")), "stale");
    EXPECT_FALSE(run.ProgramStartedFromPrefix()) << "Finish after errors starts nothing";
}

TEST_F(InstallerRun, MissingSourceFileIsReportedAndTheRestIsPlaced) {
    fs::remove(Source("Kelvath.dll"));
    PlaceOlderInstallWithStaleSettings(*this);
    StartProgman();
    StartInstaller();
    ASSERT_EQ(RunRobot(InstallOverAndMeetOneError("File Not Found", "Kelvath.dll")), 0);
    EXPECT_EQ(InstallerExit(), 0);
    ExpectFailedInstallLeftEverythingElse(*this, "Kelvath.dll");
    EXPECT_FALSE(fs::exists(OnDriveC(std::string(kInstalledTo) + "/Kelvath.dll")));
}

// A program without the product's windows runs from the destination, so nothing asks it to close.
TEST_F(InstallerRun, TargetOfARunningProgramIsASharingViolation) {
    PlaceOlderInstallWithStaleSettings(*this);
    std::string busy = OnDriveC(std::string(kInstalledTo) + "/Uninst2.exe");
    fs::copy_file("/bin/sleep", busy);
    pid_t holder = StartChild({{busy, "60"}, {}, root, "", ""});
    helpers.push_back(holder);
    StartProgman();
    StartInstaller();
    ASSERT_EQ(RunRobot(InstallOverAndMeetOneError("Sharing Violation", "Uninst2.exe")), 0);
    EXPECT_EQ(InstallerExit(), 0);
    EndChild(holder);
    ExpectFailedInstallLeftEverythingElse(*this, "Uninst2.exe");
    EXPECT_EQ(ReadFile(busy), ReadFile("/bin/sleep")) << "the held file is left whole";
}

TEST_F(InstallerRun, WithoutProgramManagerRegistrationAndDeletionsStillRun) {
    PlaceOlderInstallWithStaleSettings(*this);
    StartInstaller();
    ASSERT_EQ(RunRobot(R"(
wait-window VintInstall
click 1
expect-box "Installer Query" yes "Upgrading"
expect-box "Installer Error" ok "Cannot Add Installed Program to Start Menu"
expect-text 113 "Installed Successfully - Click Finish to Start Tesmara"
click 109
wait-gone VintInstall
wait-window VintTesmara
close-window VintTesmara
)"),
              0);
    EXPECT_EQ(InstallerExit(), 0);
    ExpectProductAt(*this, kInstalledTo);
    ExpectRegisteredFor(RegistryExport(), std::string(kDefaultFolder) + "\\");
    EXPECT_FALSE(fs::exists(OnDriveC(std::string(kInstalledTo) + "/TESM.INI")));
}

}  // namespace
