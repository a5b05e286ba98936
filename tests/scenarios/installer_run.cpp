#include "scenarios/installer_run.h"

#include "scenarios/child_process.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

const char kDefaultFolder[] = "C:\\Program Files\\Vintrel\\Skyledger";
const char kInstalledTo[] = "Program Files/Vintrel/Skyledger";

namespace {

const int kRunTimeoutMs = 60000;

std::string BuildDir() {
    // Absolute: the children start in folders of their own.
    const char* dir = std::getenv("T98_BUILD_DIR");
    return fs::absolute(dir ? dir : ".").string();
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

const std::vector<std::string>& ProductFiles() {
    static const std::vector<std::string> files = {
        "Tesmara.exe",  "Tesm.exe",    "Tesmara.hlp",    "Tesmara.cnt",  "Fablet.Tesm",
        "Webmarks.Tesm", "Uninst.exe", "Uninst2.exe",    "Kelvath.dll",  "Icon Paks/Quadrel II.dll",
        "Reference/Runeway.html", "Reference/Starwheel.html", "Readme.hlp"};
    return files;
}

void InstallerRun::SetUp() {
    char pattern[] = "/tmp/t98-scenario.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    prefix = root + "/prefix";
    snapshots = root + "/snapshots";
    fs::create_directories(snapshots);
    fs::create_directories(OnDriveC("Disk1"));
    fs::path product = BuildDir() + "/sample-product";
    ASSERT_TRUE(fs::is_regular_file(product / "setup")) << "build the sample_product target first";
    for (const fs::directory_entry& entry : fs::directory_iterator(product))
        fs::copy(entry.path(), OnDriveC("Disk1/" + entry.path().filename().string()));
}

void InstallerRun::TearDown() {
    EndProcessesUnder(prefix);
    for (pid_t pid : helpers) EndChild(pid);
    if (installer > 0) EndChild(installer);
    if (HasFailure()) {
        std::printf("run kept for a look: %s\nrobot said:\n%s", root.c_str(), robotLog.c_str());
        return;
    }
    fs::remove_all(root);
}

std::string InstallerRun::OnDriveC(const std::string& relative) const { return prefix + "/drive_c/" + relative; }

void InstallerRun::WriteFile(const std::string& path, const std::string& text) const {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string InstallerRun::ReadFile(const std::string& path) const { return Slurp(path); }

std::string InstallerRun::Tool(const std::string& relative) const { return BuildDir() + "/tools/" + relative; }

void InstallerRun::StartProgman() {
    std::string log = root + "/progman.log";
    ChildSpec spec{{Tool("progman/progman")}, {{"T98_PREFIX", prefix}}, root, "", log};
    helpers.push_back(StartChild(spec));
    const std::string serving = "progman: serving ";
    for (int waited = 0; waited < 10000; waited += 10) {
        std::string text = Slurp(log);
        size_t at = text.find(serving);
        if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
            programsFolder = text.substr(at + serving.size(), text.find('\n', at) - at - serving.size());
            return;
        }
        usleep(10000);
    }
    FAIL() << "the Program Manager did not start: " << Slurp(log);
}

pid_t InstallerRun::StartStandin(const std::string& program, const std::string& mode) {
    ChildSpec spec{{Source(program), mode},
                   {{"T98_PREFIX", prefix}, {"T98_DISPLAY", "headless"}},
                   root,
                   "",
                   root + "/standins.log"};
    helpers.push_back(StartChild(spec));
    return helpers.back();
}

void InstallerRun::StartInstaller() {
    ChildSpec spec{{Source("setup")},
                   {{"T98_PREFIX", prefix}, {"T98_DISPLAY", "headless"}, {"T98_TIME_SCALE", "0"},
                    {"T98_SNAPSHOTS", snapshots}},
                   OnDriveC("Disk1"),
                   "",
                   root + "/setup.log"};
    installer = StartChild(spec);
}

int InstallerRun::RunRobot(const std::string& script) {
    std::string scriptFile = root + "/robot.script", log = root + "/robot.log";
    WriteFile(scriptFile, script);
    fs::remove(log);
    // Real time for the robot's waits: its own Sleep would follow the installer's scale of 0.
    ChildSpec spec{{Tool("robot/robot"), "-"},
                   {{"T98_PREFIX", prefix}, {"T98_DISPLAY", "headless"}, {"T98_TIME_SCALE", ""},
                    {"T98_SNAPSHOTS", snapshots}},
                   root,
                   scriptFile,
                   log};
    int code = WaitChild(StartChild(spec), kRunTimeoutMs);
    robotLog += Slurp(log);
    return code;
}

int InstallerRun::InstallerExit() {
    int code = WaitChild(installer, kRunTimeoutMs);
    installer = 0;
    return code;
}

std::string InstallerRun::RegistryExport() const {
    std::string out = root + "/registry.reg";
    ChildSpec spec{{Tool("regexport/regexport")}, {{"T98_PREFIX", prefix}}, root, "", out};
    fs::remove(out);
    WaitChild(StartChild(spec), kRunTimeoutMs);
    return Slurp(out);
}

std::vector<std::string> InstallerRun::GroupItems() const {
    std::vector<std::string> items;
    if (programsFolder.empty() || !fs::is_directory(programsFolder)) return items;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(programsFolder))
        if (entry.is_regular_file()) items.push_back(fs::relative(entry.path(), programsFolder).string());
    std::sort(items.begin(), items.end());
    return items;
}

std::string InstallerRun::GroupItem(const std::string& relative) const {
    return Slurp(programsFolder + "/" + relative);
}

bool InstallerRun::ProgramStartedFromPrefix() const { return AnyProcessUnder(prefix); }
