#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <sys/stat.h>

namespace {

class FoldersTest : public FreshPrefix {};

struct PathCase {
    const char* path;
    BOOL result;
    DWORD error;
};

void ExpectResults(const char* what, BOOL (*call)(LPCSTR), std::initializer_list<PathCase> cases) {
    for (const PathCase& c : cases) {
        SetLastError(0);
        EXPECT_EQ(call(c.path), c.result) << what << " " << c.path;
        if (!c.result) {
            EXPECT_EQ(GetLastError(), c.error) << what << " " << c.path;
        }
    }
}

BOOL CreateFolder(LPCSTR path) { return CreateDirectoryA(path, nullptr); }

TEST_F(FoldersTest, CreateAndRemoveResults) {
    WriteHostFile(Host("Vintrel/file.txt"), "x");
    std::string tooLong = "C:\\" + std::string(MAX_PATH, 'a');
    ExpectResults("CreateDirectoryA", CreateFolder,
                  {
                      {"C:\\Vintrel\\Skyledger", TRUE, 0},
                      {"c:\\VINTREL\\skyledger", FALSE, ERROR_ALREADY_EXISTS},
                      {"C:\\Vintrel\\file.txt", FALSE, ERROR_ALREADY_EXISTS},
                      {"C:\\Vintrel\\Missing\\Below", FALSE, ERROR_PATH_NOT_FOUND},
                      {"C:\\Vintrel\\Sky*", FALSE, ERROR_INVALID_NAME},
                      {"Q:\\Folder", FALSE, ERROR_PATH_NOT_FOUND},
                      {tooLong.c_str(), FALSE, ERROR_FILENAME_EXCED_RANGE},
                  });
    ExpectResults("RemoveDirectoryA", RemoveDirectoryA,
                  {
                      {"C:\\Vintrel", FALSE, ERROR_DIR_NOT_EMPTY},
                      {"C:\\Vintrel\\file.txt", FALSE, ERROR_DIRECTORY},
                      {"C:\\Vintrel\\Absent", FALSE, ERROR_FILE_NOT_FOUND},
                      {"C:\\VINTREL\\SKYLEDGER", TRUE, 0},
                  });
}

TEST_F(FoldersTest, CurrentDirectoryIsAWindowsPath) {
    std::filesystem::create_directories(Host("Program Files/Vintrel"));
    ASSERT_TRUE(SetCurrentDirectoryA("c:\\program files\\VINTREL"));
    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 24u);
    EXPECT_STREQ(buffer, "C:\\Program Files\\Vintrel");
    // Too small: the size needed with the NUL, and nothing written.
    char tiny[4] = "abc";
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), 25u);
    EXPECT_STREQ(tiny, "abc");
    // Relative paths start from it.
    EXPECT_TRUE(CreateDirectoryA("Skyledger", nullptr));
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Vintrel\\Skyledger"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    WriteHostFile(Host("plain.txt"), "x");
    ExpectResults("SetCurrentDirectoryA", SetCurrentDirectoryA,
                  {
                      {"C:\\Absent", FALSE, ERROR_FILE_NOT_FOUND},
                      {"C:\\Absent\\Below", FALSE, ERROR_PATH_NOT_FOUND},
                      {"C:\\plain.txt", FALSE, ERROR_DIRECTORY},
                      {"C:\\", TRUE, 0},
                  });
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 3u);
    EXPECT_STREQ(buffer, "C:\\");
}

TEST_F(FoldersTest, AttributesDeleteAndMove) {
    WriteHostFile(Host("dir/Tesm.ini"), "x");
    WriteHostFile(Host("dir/ReadOnly.txt"), "x");
    chmod(Host("dir/ReadOnly.txt").c_str(), 0444);
    WriteHostFile(Host("dir/.hidden"), "x");
    struct Case {
        const char* path;
        DWORD attributes;
    } attributes[] = {
        {"C:\\DIR\\tesm.INI", FILE_ATTRIBUTE_ARCHIVE},
        {"C:\\dir", FILE_ATTRIBUTE_DIRECTORY},
        {"C:\\dir\\ReadOnly.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
        {"C:\\dir\\.hidden", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
        {"C:\\dir\\Absent", INVALID_FILE_ATTRIBUTES},
    };
    for (const Case& c : attributes) EXPECT_EQ(GetFileAttributesA(c.path), c.attributes) << c.path;

    ExpectResults("DeleteFileA", DeleteFileA,
                  {
                      {"C:\\dir\\Absent", FALSE, ERROR_FILE_NOT_FOUND},
                      {"C:\\nowhere\\Absent", FALSE, ERROR_PATH_NOT_FOUND},
                      {"C:\\dir", FALSE, ERROR_ACCESS_DENIED},
                      {"C:\\dir\\ReadOnly.txt", FALSE, ERROR_ACCESS_DENIED},
                      {"C:\\dir\\TESM.INI", TRUE, 0},
                  });

    WriteHostFile(Host("dir/a.txt"), "a");
    WriteHostFile(Host("dir/b.txt"), "b");
    EXPECT_FALSE(MoveFileA("C:\\dir\\a.txt", "C:\\dir\\B.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(MoveFileA("C:\\dir\\absent.txt", "C:\\dir\\c.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(MoveFileA("C:\\dir\\a.txt", "C:\\dir\\c.txt"));
    EXPECT_EQ(ReadHostFile(Host("dir/c.txt")), "a");
    EXPECT_TRUE(MoveFileA("C:\\dir\\c.txt", "C:\\dir\\C.TXT"));  // a change of letter case only
}

}  // namespace
