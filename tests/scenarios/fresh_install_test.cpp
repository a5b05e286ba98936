// Installs into a folder that is not there yet, through to Finish.
#include "scenarios/install_checks.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Install, Finish, and the installed taskbar program that Finish starts closed again.
const char kInstallAndFinish[] = R"(
wait-window VintInstall
click 1
expect-text 113 "Installed Successfully - Click Finish to Start Tesmara"
no-box 200
click 109
wait-gone VintInstall
wait-window VintTesmara
close-window VintTesmara
wait-gone VintTesmara
)";

class FreshInstall : public InstallerRun, public ::testing::WithParamInterface<bool> {};

TEST_P(FreshInstall, IntoTheDefaultFolderWithTheStartUpItemAsTicked) {
    bool startup = GetParam();
    ASSERT_FALSE(fs::exists(OnDriveC("Program Files/Vintrel")));
    StartProgman();
    StartInstaller();
    // The box's click recomputes the disk-space line; the five blanks are part of it.
    std::string figure = startup ? "2478" : "2477";
    ASSERT_EQ(RunRobot(std::string("wait-window VintInstall\nstartup ") + (startup ? "on" : "off") + "\n" +
                       "expect-text 112 \"Total Disk Space Used: " + figure + "K     \"\n" + kInstallAndFinish),
              0);
    EXPECT_EQ(InstallerExit(), 0);

    ExpectProductAt(*this, kInstalledTo);
    ExpectRegisteredFor(RegistryExport(), std::string(kDefaultFolder) + "\\");
    std::vector<std::string> items = {"Vintrel Tesmara 98/Help.lnk.txt",
                                      "Vintrel Tesmara 98/Tesmara 98 Full Ledgerbook.lnk.txt",
                                      "Vintrel Tesmara 98/Tesmara 98 Taskbar Icon.lnk.txt",
                                      "Vintrel Tesmara 98/Uninstall.lnk.txt"};
    if (startup) items.insert(items.begin(), "StartUp/Tesmara 98 Taskbar Icon.lnk.txt");
    EXPECT_EQ(GroupItems(), items);
    EXPECT_NE(GroupItem("Vintrel Tesmara 98/Tesmara 98 Taskbar Icon.lnk.txt")
                  .find("CommandLine=C:\\Program Files\\Vintrel\\Skyledger\\Tesmara.exe\n"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(StartUpBox, FreshInstall, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Ticked" : "Cleared"; });

struct TypedFolder {
    const char* name;
    const char* typed;       // into the folder box
    const char* under;       // where the files land, below drive_c
    const char* destFolder;  // as the registry holds it
    bool asksUpgrade;        // the folder is there already
};

class TypedDestination : public InstallerRun, public ::testing::WithParamInterface<TypedFolder> {};

TEST_P(TypedDestination, GetsOneFinalBackslash) {
    const TypedFolder& folder = GetParam();
    StartProgman();
    StartInstaller();
    std::string script = "wait-window VintInstall\nset-folder \"" + std::string(folder.typed) + "\"\nclick 1\n";
    if (folder.asksUpgrade) script += "expect-box \"Installer Query\" yes \"Upgrading\"\n";
    script += "expect-text 109 Finish\nclick 109\nwait-gone VintInstall\nclose-window VintTesmara\n";
    ASSERT_EQ(RunRobot(script), 0);
    EXPECT_EQ(InstallerExit(), 0);

    ExpectProductAt(*this, folder.under);
    ExpectRegisteredFor(RegistryExport(), folder.destFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, TypedDestination,
    ::testing::Values(TypedFolder{"WithoutBackslash", "C:\\Apps\\Tesmara", "Apps/Tesmara", "C:\\Apps\\Tesmara\\", false},
                      TypedFolder{"WithBackslash", "C:\\Apps\\Tesmara\\", "Apps/Tesmara", "C:\\Apps\\Tesmara\\", false},
                      TypedFolder{"DriveRoot", "C:\\", "", "C:\\", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
