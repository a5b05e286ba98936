#include "platform/kernel32/paths.h"
#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <sys/stat.h>

using layer::PathResult;

namespace {

class PathsTest : public FreshPrefix {};

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST_F(PathsTest, FreshPrefixHasTheWindowsFolders) {
    layer::PrefixFolder();
    EXPECT_TRUE(IsFolder(Host("windows/system32")));
    EXPECT_TRUE(IsFolder(Host("Program Files")));

    // The Windows 95 family keeps its system files in "system".
    layer::Profile profile = layer::CurrentProfile();
    profile.version = 0xC0000A04;
    layer::SetProfile(profile);
    char buffer[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 17u);
    EXPECT_STREQ(buffer, "C:\\windows\\system");
    EXPECT_TRUE(IsFolder(Host("windows/system")));
}

TEST_F(PathsTest, ResolvesWithoutRegardToCase) {
    WriteHostFile(Host("Program Files/Vintrel/Data.TXT"), "x");
    struct Case {
        const char* windows;
        PathResult result;
        bool exists;
        std::string host;
    } cases[] = {
        {"C:\\Program Files\\Vintrel\\Data.TXT", PathResult::Ok, true, Host("Program Files/Vintrel/Data.TXT")},
        {"c:\\PROGRAM FILES\\vintrel\\data.txt", PathResult::Ok, true, Host("Program Files/Vintrel/Data.TXT")},
        {"C:/program files/VINTREL", PathResult::Ok, true, Host("Program Files/Vintrel")},
        {"program files\\vintrel\\data.txt", PathResult::Ok, true, Host("Program Files/Vintrel/Data.TXT")},
        {"\\Program Files\\.\\x\\..\\Vintrel\\data.txt.", PathResult::Ok, true, Host("Program Files/Vintrel/Data.TXT")},
        {"C:\\Program Files\\Vintrel\\New.txt", PathResult::Ok, false, Host("Program Files/Vintrel/New.txt")},
        {"C:\\", PathResult::Ok, true, DriveC()},
        {"Z:\\tmp", PathResult::Ok, true, "/tmp"},
        {"C:\\Missing\\New.txt", PathResult::PathNotFound, false, ""},
        {"C:\\Program Files\\Vintrel\\Data.TXT\\below", PathResult::PathNotFound, false, ""},
        {"Q:\\Folder", PathResult::InvalidDrive, false, ""},
        {"C:\\Bad|Name", PathResult::InvalidName, false, ""},
        {"", PathResult::PathNotFound, false, ""},
        {"\\\\server\\share\\x", PathResult::PathNotFound, false, ""},
    };
    for (const Case& c : cases) {
        layer::HostPath host = layer::ResolveWindowsPath(c.windows);
        EXPECT_EQ(host.result, c.result) << c.windows;
        EXPECT_EQ(host.exists, c.exists) << c.windows;
        if (c.result == PathResult::Ok) {
            EXPECT_EQ(host.path, c.host) << c.windows;
        }
    }
}

TEST_F(PathsTest, PathsOfMaxPathOrLongerAreRefused) {
    std::string longest = "C:\\" + std::string(MAX_PATH - 4, 'a');  // 259 characters
    EXPECT_EQ(layer::ResolveWindowsPath(longest).result, PathResult::Ok);
    EXPECT_EQ(layer::ResolveWindowsPath(longest + "a").result, PathResult::TooLong);
}

TEST_F(PathsTest, HostPathsGetTheirDriveLetter) {
    EXPECT_EQ(layer::WindowsPathFromHost(Host("Program Files/Setup.exe")), "C:\\Program Files\\Setup.exe");
    EXPECT_EQ(layer::WindowsPathFromHost(DriveC()), "C:\\");
    EXPECT_EQ(layer::WindowsPathFromHost("/usr/bin/env"), "Z:\\usr\\bin\\env");
    // A sibling whose name only begins like drive_c is not on C:.
    std::string sibling = "Z:" + prefix_ + "/drive_cx/a";
    for (char& c : sibling) c = c == '/' ? '\\' : c;
    EXPECT_EQ(layer::WindowsPathFromHost(prefix_ + "/drive_cx/a"), sibling);
}

}  // namespace
