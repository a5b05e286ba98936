#include "platform/win32.h"
#include "unit/ipc/ipc_fixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class ShellExecuteTest : public IpcTest {
protected:
    // The host path of "C:\\..." on this prefix, whether or not it exists yet.
    std::string Host(const std::string& windowsPath) {
        std::string host = prefix_ + "/drive_c/" + windowsPath.substr(3);
        std::replace(host.begin(), host.end(), '\\', '/');
        return host;
    }

    // A program that writes its working folder and its arguments, one a line, to a file.
    void PutReporter(const std::string& windowsPath, const std::string& report) {
        fs::create_directories(fs::path(Host(windowsPath)).parent_path());
        std::string host = Host(windowsPath);
        std::ofstream(host) << "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" << report << ".tmp'\n"
                            << "mv '" << report << ".tmp' '" << report << "'\n";
        chmod(host.c_str(), 0755);
    }

    static std::string WaitForReport(const std::string& path) {
        testing_ipc::WaitUntil([&] { return fs::exists(path); });
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static uintptr_t Open(const char* file, const char* parameters = nullptr, const char* directory = nullptr,
                          const char* verb = "open") {
        return reinterpret_cast<uintptr_t>(ShellExecuteA(nullptr, verb, file, parameters, directory, SW_SHOW));
    }
};

TEST_F(ShellExecuteTest, AProgramStartsDirectlySoItsNameAndArgumentsAreNotInterpreted) {
    std::string report = prefix_ + "/report.txt";
    PutReporter("C:\\Tools\\odd name;$(touch pwned).exe", report);
    fs::create_directories(Host("C:\\Work"));
    EXPECT_GT(Open("C:\\Tools\\odd name;$(touch pwned).exe", "\"two words\" $HOME", "C:\\Work"), 32u);
    EXPECT_EQ(WaitForReport(report), Host("C:\\Work") + "\ntwo words\n$HOME\n");
    EXPECT_FALSE(fs::exists(Host("C:\\Work") + "/pwned"));

    fs::remove(report);
    EXPECT_GT(Open("C:\\Tools\\odd name;$(touch pwned).exe"), 32u);  // no folder given: the caller's
    EXPECT_EQ(WaitForReport(report), fs::current_path().string() + "\n");
}

TEST_F(ShellExecuteTest, ADocumentOpensThroughItsRegisteredFileType) {
    std::string report = prefix_ + "/opened.txt";
    PutReporter("C:\\Program Files\\Viewer\\view.exe", report);
    fs::create_directories(Host("C:\\Docs"));
    std::ofstream(Host("C:\\Docs") + "/note.tdoc") << "text";
    const char* command = "\"C:\\Program Files\\Viewer\\view.exe\" \"%1\"";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".tdoc", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("TDoc.File"), 10);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "TDoc.File\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), 0);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), strlen(command) + 1);
    RegCloseKey(key);

    EXPECT_GT(Open("C:\\Docs\\NOTE.TDOC"), 32u);
    EXPECT_EQ(WaitForReport(report), fs::current_path().string() + "\nC:\\Docs\\note.tdoc\n");
}

TEST_F(ShellExecuteTest, FailuresGiveTheDocumentedResults) {
    fs::create_directories(Host("C:\\Docs"));
    std::ofstream(Host("C:\\Docs") + "/Readme.hlp") << "help";
    std::string longName = "C:\\" + std::string(300, 'a') + ".exe";
    const char* savedPath = getenv("PATH");
    std::string path = savedPath ? savedPath : "";
    setenv("PATH", prefix_.c_str(), 1);  // no desktop opener to fall back on
    struct Case {
        const char* file;
        const char* directory;
        const char* verb;
        uintptr_t result;
    } cases[] = {
        {"C:\\Docs\\Missing.exe", nullptr, "open", SE_ERR_FNF},
        {"C:\\Nowhere\\Setup.exe", nullptr, "open", SE_ERR_PNF},
        {"", nullptr, "open", SE_ERR_FNF},
        {longName.c_str(), nullptr, "open", SE_ERR_FNF},
        {"Readme.hlp", "C:\\Nowhere", "open", SE_ERR_PNF},
        {"C:\\Docs\\Readme.hlp", nullptr, "open", SE_ERR_NOASSOC},
        {"Readme.hlp", "C:\\Docs", nullptr, SE_ERR_NOASSOC},  // found in the folder given
        {"C:\\Docs\\Readme.hlp", nullptr, "print", SE_ERR_NOASSOC},
    };
    for (const Case& c : cases) EXPECT_EQ(Open(c.file, nullptr, c.directory, c.verb), c.result) << c.file;
    setenv("PATH", path.c_str(), 1);
}

}  // namespace
