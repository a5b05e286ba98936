#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

namespace {

class FileHandlesTest : public FreshPrefix {};

TEST_F(FileHandlesTest, DispositionsAndTheirResults) {
    WriteHostFile(Host("old.txt"), "old");
    struct Case {
        const char* path;
        DWORD disposition;
        bool opens;
        DWORD error;  // last error after the call
        const char* contentsAfter;
    } cases[] = {
        {"C:\\new1.txt", CREATE_NEW, true, ERROR_SUCCESS, ""},
        {"C:\\old.txt", CREATE_NEW, false, ERROR_FILE_EXISTS, "old"},
        {"C:\\OLD.TXT", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "old"},
        {"C:\\new2.txt", OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
        {"C:\\absent.txt", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
        {"C:\\nowhere\\absent.txt", OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND, nullptr},
        {"C:\\old.txt", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
        {"C:\\absent.txt", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
        {"C:\\", OPEN_EXISTING, false, ERROR_ACCESS_DENIED, nullptr},
        {"C:\\old.txt", 0, false, ERROR_INVALID_PARAMETER, nullptr},
    };
    for (const Case& c : cases) {
        SetLastError(12345);
        HANDLE file = CreateFileA(c.path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition, 0, nullptr);
        EXPECT_EQ(file != INVALID_HANDLE_VALUE, c.opens) << c.path << " disposition " << c.disposition;
        EXPECT_EQ(GetLastError(), c.error) << c.path << " disposition " << c.disposition;
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        if (c.contentsAfter) {
            std::string name = c.path + 3;
            for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            EXPECT_EQ(ReadHostFile(Host(name)), c.contentsAfter) << c.path;
        }
    }
}

TEST_F(FileHandlesTest, ReadWriteAndStaleHandles) {
    HANDLE file = CreateFileA("C:\\data.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    EXPECT_TRUE(WriteFile(file, "Tesmara", 7, &done, nullptr));
    EXPECT_EQ(done, 7u);
    char buffer[16];
    EXPECT_FALSE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));  // opened for writing only
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(file));

    // A closed handle, a forged one and INVALID_HANDLE_VALUE are refused.
    for (HANDLE stale : {file, reinterpret_cast<HANDLE>(0x5000001), INVALID_HANDLE_VALUE}) {
        SetLastError(0);
        EXPECT_FALSE(ReadFile(stale, buffer, sizeof buffer, &done, nullptr));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_FALSE(CloseHandle(stale));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }

    file = CreateFileA("c:\\DATA.BIN", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(std::string(buffer, done), "Tesmara");
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(done, 0u);  // end of file
    CloseHandle(file);
}

// Two opens agree when each shares what the other asks for.
TEST_F(FileHandlesTest, ShareModes) {
    WriteHostFile(Host("shared.txt"), "x");
    const DWORD R = GENERIC_READ, W = GENERIC_WRITE, SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
    struct Case {
        DWORD firstAccess, firstShare, secondAccess, secondShare;
        bool secondOpens;
    } cases[] = {
        {R, SR, R, SR, true},
        {R, SR, W, SR | SW, false},
        {R, SR | SW, W, SR | SW, true},
        {W, SR | SW, R, SR, false},
        {R, 0, R, SR, false},
        {W, SR, R, SR | SW, true},
    };
    for (const Case& c : cases) {
        HANDLE first = CreateFileA("C:\\shared.txt", c.firstAccess, c.firstShare, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(first, INVALID_HANDLE_VALUE);
        SetLastError(0);
        HANDLE second =
            CreateFileA("C:\\shared.txt", c.secondAccess, c.secondShare, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens)
            << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/" << c.secondShare;
        if (second == INVALID_HANDLE_VALUE) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        } else {
            CloseHandle(second);
        }
        CloseHandle(first);
    }

    // Deleting needs the holder to share deletion.
    HANDLE held = CreateFileA("C:\\shared.txt", R, SR | SW, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(DeleteFileA("C:\\shared.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
    EXPECT_TRUE(DeleteFileA("C:\\shared.txt"));
}

}  // namespace
