// Installs that stop before copying: the installer's own folder as the
// destination, and running copies of the product that will not close.
#include "scenarios/install_checks.h"

#include "scenarios/child_process.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST_F(InstallerRun, OwnFolderInAnyLetterCaseIsRefusedAndTheDefaultComesBack) {
    StartProgman();
    StartInstaller();
    ASSERT_EQ(RunRobot(R"(
wait-window VintInstall
set-folder "c:\DISK1"
click 1
expect-box "Installer Error" ok "The Folder You are Installing FROM and the Folder you are Installing TO Must be Different!"
expect-text 101 "C:\Program Files\Vintrel\Skyledger"
click 109
wait-gone VintInstall
)"),
              0);
    EXPECT_EQ(InstallerExit(), 0);
    EXPECT_FALSE(fs::exists(OnDriveC("Program Files/Vintrel")));
    EXPECT_FALSE(HoldsRegistration(RegistryExport()));
    EXPECT_TRUE(GroupItems().empty());
    EXPECT_FALSE(ProgramStartedFromPrefix());
}

TEST_F(InstallerRun, RunningCopiesThatCloseAreClosedBeforeTheInstall) {
    StartProgman();
    std::vector<pid_t> copies = {StartStandin("Tesm.exe", ""), StartStandin("Tesm.exe", ""),
                                 StartStandin("Tesmara.exe", "")};
    StartInstaller();
    ASSERT_EQ(RunRobot("wait-window TTesmForm\nwait-window VintTesmara\nwait-window VintInstall\nclick 1\n"
                       "expect-text 113 \"Installed Successfully - Click Finish to Start Tesmara\"\n"
                       "click 109\nwait-gone VintInstall\nclose-window VintTesmara\n"),
              0);
    EXPECT_EQ(InstallerExit(), 0);
    for (pid_t copy : copies) EXPECT_EQ(WaitChild(copy, 5000), 0);
    ExpectProductAt(*this, kInstalledTo);
}

struct Refusing {
    const char* program;
    const char* windowClass;
    const char* caption;
    const char* text;
};

class RunningCopy : public InstallerRun, public ::testing::WithParamInterface<Refusing> {};

// The taskbar program runs too, willing to close: it is asked only after Tesm.exe has gone.
TEST_P(RunningCopy, ThatRefusesToCloseStopsTheInstall) {
    const Refusing& refusing = GetParam();
    StartProgman();
    pid_t stubborn = StartStandin(refusing.program, "refuse");
    pid_t willing = refusing.program == std::string("Tesm.exe") ? StartStandin("Tesmara.exe", "") : 0;
    StartInstaller();
    ASSERT_EQ(RunRobot(std::string("wait-window ") + refusing.windowClass + "\nwait-window VintInstall\nclick 1\n" +
                       "expect-box \"" + refusing.caption + "\" ok \"" + refusing.text + "\"\n" +
                       "no-box 200\nclick 109\nwait-gone VintInstall\n"),
              0);
    EXPECT_EQ(InstallerExit(), 0);
    EXPECT_FALSE(fs::exists(OnDriveC("Program Files/Vintrel")));
    EXPECT_TRUE(ChildRunning(stubborn));
    if (willing) {
        EXPECT_TRUE(ChildRunning(willing)) << "the taskbar program was not asked to close";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Programs, RunningCopy,
    ::testing::Values(
        Refusing{"Tesm.exe", "TTesmForm", "Tesm.exe Running",
                 "Tesm.exe is currently running. Please close it before installing this new version."},
        Refusing{"Tesmara.exe", "VintTesmara", "Tesmara.exe Running",
                 "Tesmara.exe is currently running. Please close it before installing this new version."}),
    [](const auto& info) { return std::string(info.param.windowClass); });

}  // namespace
