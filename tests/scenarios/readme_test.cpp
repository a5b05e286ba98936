// The Readme command when the product folder holds no readme.
#include "scenarios/install_checks.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TEST_F(InstallerRun, ReadmeMissingFromTheProductFolderIsReportedAndCancelStartsNothing) {
    fs::remove(Source("Readme.hlp"));
    StartInstaller();
    ASSERT_EQ(RunRobot(R"(
wait-window VintInstall
click 111
expect-box "Installer Error" ok "Can't Open the Readme File"
expect-text 109 Cancel
click 109
wait-gone VintInstall
)"),
              0);
    EXPECT_EQ(InstallerExit(), 0);
    EXPECT_FALSE(fs::exists(OnDriveC("Program Files/Vintrel")));
    EXPECT_FALSE(ProgramStartedFromPrefix());
}

}  // namespace
