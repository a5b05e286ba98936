#include "scenarios/install_checks.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char kAppPaths[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tesmara.exe";
const char kUninstall[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tesmara";
const char kClasses[] = "HKEY_LOCAL_MACHINE\\Software\\Classes\\";

}  // namespace

std::string KeySection(const std::string& exported, const std::string& key) {
    std::string header = "[" + key + "]\n";
    size_t start = exported.find(header);
    if (start == std::string::npos) return "";
    start += header.size();
    size_t end = exported.find("\n[", start);
    return exported.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
}

std::string RegLine(const std::string& name, const std::string& data) {
    std::string escaped;
    for (char c : data) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return (name.empty() ? "@" : "\"" + name + "\"") + "=\"" + escaped + "\"\n";
}

bool HoldsRegistration(const std::string& exported) {
    return exported.find("App Paths\\Tesmara.exe]") != std::string::npos ||
           exported.find("Uninstall\\Tesmara]") != std::string::npos ||
           exported.find("\\.Tesm]") != std::string::npos;
}

void ExpectProductAt(const InstallerRun& run, const std::string& destination) {
    for (const std::string& file : ProductFiles()) {
        std::string source = run.Source(fs::path(file).filename().string());
        std::string installed = run.OnDriveC(destination + "/" + file);
        ASSERT_TRUE(fs::is_regular_file(installed)) << installed;
        EXPECT_EQ(run.ReadFile(installed), run.ReadFile(source)) << installed;
    }
    EXPECT_TRUE(fs::is_directory(run.OnDriveC(destination + "/Places")));
    EXPECT_TRUE(fs::is_directory(run.OnDriveC(destination + "/BGs")));
}

void ExpectRegisteredFor(const std::string& exported, const std::string& destFolder) {
    std::string appPaths = KeySection(exported, kAppPaths);
    EXPECT_NE(appPaths.find(RegLine("", destFolder + "Tesmara.exe")), std::string::npos) << appPaths;
    EXPECT_NE(appPaths.find(RegLine("Path", destFolder.substr(0, destFolder.size() - 1))), std::string::npos)
        << appPaths;
    std::string uninstall = KeySection(exported, kUninstall);
    EXPECT_NE(uninstall.find(RegLine("DisplayName", "Vintrel Tesmara 98 - Skyledger")), std::string::npos);
    EXPECT_NE(uninstall.find(RegLine("UninstallString", destFolder + "Uninst.exe")), std::string::npos) << uninstall;
    EXPECT_NE(KeySection(exported, kClasses + std::string(".Tesm")).find(RegLine("", "Tesmara.Data")),
              std::string::npos);
    EXPECT_NE(KeySection(exported, kClasses + std::string("Tesmara.Data")).find(RegLine("", "Tesmara Data")),
              std::string::npos);
    EXPECT_NE(KeySection(exported, kClasses + std::string("Tesmara.Data\\DefaultIcon"))
                  .find(RegLine("", destFolder + "Tesm.exe,1")),
              std::string::npos);
}
