#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class CopyFileTest : public FreshPrefix {
protected:
    void SetUp() override {
        FreshPrefix::SetUp();
        WriteHostFile(Host("src/Tesmara.exe"), "new contents");
        WriteHostFile(Host("dest/Tesmara.exe"), "old contents");
    }

    // Names in the destination folder, to see that no temporary file stays behind.
    std::vector<std::string> DestinationEntries() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Host("dest")))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

TEST_F(CopyFileTest, ResultsAndErrorCodes) {
    WriteHostFile(Host("dest/ReadOnly.txt"), "locked");
    chmod(Host("dest/ReadOnly.txt").c_str(), 0444);
    std::filesystem::create_directories(Host("dest/Folder"));
    WriteHostFile(Host("dest/.hidden"), "hidden");
    struct Case {
        const char* source;
        const char* target;
        BOOL failIfExists;
        BOOL result;
        DWORD error;
    } cases[] = {
        {"C:\\src\\Absent.exe", "C:\\dest\\New.exe", FALSE, FALSE, ERROR_FILE_NOT_FOUND},
        {"C:\\nowhere\\Absent.exe", "C:\\dest\\New.exe", FALSE, FALSE, ERROR_PATH_NOT_FOUND},
        {"C:\\src\\Tesmara.exe", "C:\\nowhere\\New.exe", FALSE, FALSE, ERROR_PATH_NOT_FOUND},
        {"C:\\src\\Tesmara.exe", "C:\\dest\\Tesmara.exe", TRUE, FALSE, ERROR_FILE_EXISTS},
        {"C:\\src\\Tesmara.exe", "C:\\dest\\ReadOnly.txt", FALSE, FALSE, ERROR_ACCESS_DENIED},
        {"C:\\src\\Tesmara.exe", "C:\\dest\\Folder", FALSE, FALSE, ERROR_ACCESS_DENIED},
        {"C:\\src\\Tesmara.exe", "C:\\dest\\.hidden", FALSE, FALSE, ERROR_ACCESS_DENIED},
        {"C:\\src", "C:\\dest\\New.exe", FALSE, FALSE, ERROR_ACCESS_DENIED},
        {"C:\\src\\Tesmara.exe", "C:\\SRC\\tesmara.EXE", FALSE, FALSE, ERROR_SHARING_VIOLATION},
        {"C:\\src\\Tesmara.exe", "C:\\dest\\bad?name", FALSE, FALSE, ERROR_INVALID_NAME},
        {"C:\\SRC\\TESMARA.EXE", "c:\\Dest\\tesmara.exe", FALSE, TRUE, 0},
        {"C:\\src\\Tesmara.exe", "C:\\dest\\New.exe", TRUE, TRUE, 0},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(CopyFileA(c.source, c.target, c.failIfExists), c.result) << c.source << " -> " << c.target;
        if (!c.result) {
            EXPECT_EQ(GetLastError(), c.error) << c.source << " -> " << c.target;
        }
    }
    EXPECT_EQ(ReadHostFile(Host("dest/Tesmara.exe")), "new contents");
    EXPECT_EQ(ReadHostFile(Host("dest/New.exe")), "new contents");
    EXPECT_EQ(ReadHostFile(Host("dest/ReadOnly.txt")), "locked");
    EXPECT_EQ(ReadHostFile(Host("dest/.hidden")), "hidden");
}

TEST_F(CopyFileTest, KeepsModificationTimeAndMode) {
    timespec old[2] = {{1000000000, 0}, {1000000000, 123456789}};
    utimensat(AT_FDCWD, Host("src/Tesmara.exe").c_str(), old, 0);
    chmod(Host("src/Tesmara.exe").c_str(), 0751);
    ASSERT_TRUE(CopyFileA("C:\\src\\Tesmara.exe", "C:\\dest\\Tesmara.exe", FALSE));
    struct stat copied;
    ASSERT_EQ(stat(Host("dest/Tesmara.exe").c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(copied.st_mtim.tv_nsec, 123456789);
    EXPECT_EQ(copied.st_mode & 07777, 0751u);
}

TEST_F(CopyFileTest, LargeFileArrivesWhole) {
    std::string data(5 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 2654435761u) >> 13);
    WriteHostFile(Host("src/Big.dat"), data);
    ASSERT_TRUE(CopyFileA("C:\\src\\Big.dat", "C:\\dest\\Big.dat", FALSE));
    EXPECT_TRUE(ReadHostFile(Host("dest/Big.dat")) == data);
}

TEST_F(CopyFileTest, FullDiskLeavesTheOldTargetAndNoTemporaryFile) {
    WriteHostFile(Host("src/Tesmara.exe"), std::string(1 << 20, 'n'));
    layer::CurrentProfile().faults = "slow_network,disk_full";
    EXPECT_FALSE(CopyFileA("C:\\src\\Tesmara.exe", "C:\\dest\\Tesmara.exe", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_FALSE(CopyFileA("C:\\src\\Tesmara.exe", "C:\\dest\\Fresh.exe", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    layer::CurrentProfile().faults = "";
    EXPECT_EQ(ReadHostFile(Host("dest/Tesmara.exe")), "old contents");
    EXPECT_EQ(DestinationEntries(), std::vector<std::string>{"Tesmara.exe"});
}

TEST_F(CopyFileTest, RunningProgramIsASharingViolation) {
    std::filesystem::copy_file("/bin/sleep", Host("dest/Running.exe"));
    chmod(Host("dest/Running.exe").c_str(), 0755);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(Host("dest/Running.exe").c_str(), "Running.exe", "30", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Wait until the program image is in use.
    for (int i = 0; i < 200; ++i) {
        char image[PATH_MAX];
        ssize_t length = readlink(("/proc/" + std::to_string(child) + "/exe").c_str(), image, sizeof image - 1);
        if (length > 0 && std::string(image, length) == Host("dest/Running.exe")) break;
        usleep(10000);
    }
    EXPECT_FALSE(CopyFileA("C:\\src\\Tesmara.exe", "C:\\dest\\Running.exe", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(CopyFileA("C:\\src\\Tesmara.exe", "C:\\dest\\Running.exe", FALSE));
}

// A file held open without FILE_SHARE_WRITE, by this process or another, cannot
// be replaced; one that shares writing can.
TEST_F(CopyFileTest, OpenTargetRefusesUnlessItSharesWriting) {
    struct Case {
        DWORD share;
        bool inChild;
        BOOL result;
    } cases[] = {
        {FILE_SHARE_READ, false, FALSE},
        {FILE_SHARE_READ, true, FALSE},
        {FILE_SHARE_READ | FILE_SHARE_WRITE, false, TRUE},
        {FILE_SHARE_READ | FILE_SHARE_WRITE, true, TRUE},
    };
    for (const Case& c : cases) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        pid_t holder = -1;
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.inChild) {
            holder = fork();
            ASSERT_GE(holder, 0);
            if (holder == 0) {
                HANDLE file = CreateFileA("C:\\dest\\Tesmara.exe", GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0,
                                          nullptr);
                char byte = file != INVALID_HANDLE_VALUE ? 1 : 0;
                if (write(ready[1], &byte, 1) != 1) _exit(1);
                pause();
                _exit(0);
            }
            char byte = 0;
            ASSERT_EQ(read(ready[0], &byte, 1), 1);
            ASSERT_EQ(byte, 1);
        } else {
            held = CreateFileA("C:\\dest\\Tesmara.exe", GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        SetLastError(0);
        EXPECT_EQ(CopyFileA("C:\\src\\Tesmara.exe", "C:\\dest\\Tesmara.exe", FALSE), c.result)
            << "share " << c.share << (c.inChild ? " in another process" : "");
        if (!c.result) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        }
        if (c.inChild) {
            kill(holder, SIGKILL);
            waitpid(holder, nullptr, 0);
        } else {
            CloseHandle(held);
        }
        close(ready[0]);
        close(ready[1]);
    }
}

}  // namespace
