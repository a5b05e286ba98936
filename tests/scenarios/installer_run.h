// One whole installer run in a fresh prefix: the sample product copied to
// C:\Disk1, the Program Manager server, stand-ins, the installer itself and the
// robot that drives it, each a process of its own. What the run left behind is
// read back through the files, the registry export and the group folders.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <sys/types.h>
#include <vector>

extern const char kDefaultFolder[];  // the folder box's text at start
extern const char kInstalledTo[];    // the default folder under drive_c

class InstallerRun : public ::testing::Test {
public:
    // A path below drive_c (C:) of this run's prefix, '/' separated.
    std::string OnDriveC(const std::string& relative) const;
    std::string Source(const std::string& name) const { return OnDriveC("Disk1/" + name); }
    void WriteFile(const std::string& path, const std::string& text) const;
    std::string ReadFile(const std::string& path) const;

    void StartProgman();
    // Starts one of the product's stand-ins ("Tesmara.exe" or "Tesm.exe") from the source folder.
    pid_t StartStandin(const std::string& program, const std::string& mode);
    void StartInstaller();
    // Runs the robot on the script; its exit code, with what it printed in robotLog.
    int RunRobot(const std::string& script);
    // The installer's exit code, -1 when it did not end within the time.
    int InstallerExit();
    std::string RegistryExport() const;
    // The group folders' files, as "Group/Caption.lnk.txt", sorted.
    std::vector<std::string> GroupItems() const;
    std::string GroupItem(const std::string& relative) const;
    bool ProgramStartedFromPrefix() const;

    std::string root, prefix, snapshots, robotLog;
    pid_t installer = 0;
    std::vector<pid_t> helpers;  // progman and stand-ins, ended at teardown

protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::string Tool(const std::string& relative) const;
    std::string programsFolder;
};

// The manifest's files as the sample product holds them, for comparing installed copies.
const std::vector<std::string>& ProductFiles();
