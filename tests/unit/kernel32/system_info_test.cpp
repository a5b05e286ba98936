#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <cstring>
#include <thread>

namespace {

class SystemInfoTest : public FreshPrefix {};

TEST_F(SystemInfoTest, VersionAndFoldersFollowTheProfile) {
    struct Case {
        DWORD version;
        const char* system;
    } cases[] = {
        {0x0A280105, "C:\\windows\\system32"},  // NT 5.1
        {0xC0000A04, "C:\\windows\\system"},    // the Windows 95 family
    };
    for (const Case& c : cases) {
        layer::CurrentProfile().version = c.version;
        EXPECT_EQ(GetVersion(), c.version);
        char buffer[MAX_PATH];
        UINT length = GetSystemDirectoryA(buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.system);
        EXPECT_EQ(length, std::strlen(c.system));
        // Too small: the size needed with the NUL, and the buffer untouched.
        char tiny[8] = "keep";
        EXPECT_EQ(GetSystemDirectoryA(tiny, sizeof tiny), length + 1);
        EXPECT_STREQ(tiny, "keep");
        EXPECT_EQ(GetSystemDirectoryA(tiny, length), length + 1);
        EXPECT_EQ(GetSystemDirectoryA(buffer, length + 1), length);
    }
    char windows[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectoryA(windows, sizeof windows), 10u);
    EXPECT_STREQ(windows, "C:\\windows");
}

TEST_F(SystemInfoTest, ModuleFileNameIsAWindowsPathOfTheProgram) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path);
    ASSERT_GT(length, 3u);
    EXPECT_EQ(std::string(path, 3), "Z:\\");  // the test program lives outside the prefix
    EXPECT_EQ(length, std::strlen(path));
    EXPECT_EQ(std::string(path).find('/'), std::string::npos);
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), length);

    // Too small: cut, NUL-terminated, the buffer size returned and ERROR_INSUFFICIENT_BUFFER.
    char small[6];
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small), std::string(path, 5));

    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), path, sizeof path), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(SystemInfoTest, LastErrorBelongsToItsThread) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    DWORD seenByOther = 1;
    std::thread other([&] {
        seenByOther = GetLastError();
        SetLastError(ERROR_ACCESS_DENIED);
    });
    other.join();
    EXPECT_EQ(seenByOther, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(SystemInfoTest, SleepFollowsTheTimeScale) {
    // The fixture's time scale is 0: the installer's long pauses take no time.
    DWORD start = GetTickCount();
    Sleep(60000);
    EXPECT_LT(GetTickCount() - start, 5000u);
    layer::CurrentProfile().timeScale = 0.5;
    start = GetTickCount();
    Sleep(100);
    EXPECT_GE(GetTickCount() - start, 45u);
}

}  // namespace
