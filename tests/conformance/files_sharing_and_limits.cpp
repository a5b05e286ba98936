// File and registry results beyond what the install engine needs: sharing,
// read-only files, folder removal, moves, open dispositions, and the
// registry's refusals.
#include "conformance/check.h"
#include "platform/win32.h"

#include <cstring>
#include <string>

namespace {

const char SHARE_WORK[] = "C:\\t98share";

std::string SharePath(const char* name) { return std::string(SHARE_WORK) + "\\" + name; }

void MakeFile(const std::string& path, const char* text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    CloseHandle(file);
}

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void MakeShareFolder() { CreateDirectoryA(SHARE_WORK, nullptr); }

}  // namespace

CONFORMANCE_TEST(CopyFileOntoItselfOrAHeldFile) {
    MakeShareFolder();
    std::string source = SharePath("source.txt");
    std::string target = SharePath("target.txt");
    MakeFile(source, "new");
    MakeFile(target, "old");

    CHECK_EQ(CopyFileA(source.c_str(), SharePath("SOURCE.TXT").c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_SHARING_VIOLATION);

    HANDLE held = Open(target, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    CHECK(held != INVALID_HANDLE_VALUE);
    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(held);

    held = Open(target, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), FALSE), TRUE);
    CloseHandle(held);

    // A source held without shared reading cannot be copied.
    held = Open(source, GENERIC_READ, 0, OPEN_EXISTING);
    CHECK_EQ(CopyFileA(source.c_str(), SharePath("third.txt").c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(held);
}

CONFORMANCE_TEST(CopyFromAFolder) {
    MakeShareFolder();
    CHECK_EQ(CopyFileA(SHARE_WORK, SharePath("from folder.txt").c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

CONFORMANCE_TEST(ShareModesBetweenOpens) {
    MakeShareFolder();
    std::string path = SharePath("shared.txt");
    MakeFile(path, "x");
    HANDLE reader = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    CHECK(reader != INVALID_HANDLE_VALUE);
    HANDLE writer = Open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    CHECK(writer == INVALID_HANDLE_VALUE);
    CHECK_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    HANDLE second = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    CHECK(second != INVALID_HANDLE_VALUE);
    CloseHandle(second);
    CHECK_EQ(DeleteFileA(path.c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(reader);
    CHECK_EQ(DeleteFileA(path.c_str()), TRUE);
}

CONFORMANCE_TEST(OpenDispositions) {
    MakeShareFolder();
    std::string path = SharePath("disposition.txt");
    DeleteFileA(path.c_str());
    SetLastError(1234);
    HANDLE file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    CHECK(file != INVALID_HANDLE_VALUE);
    CHECK_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(file);
    file = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
    CHECK_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(file);
    file = Open(path, GENERIC_READ, 0, OPEN_ALWAYS);
    CHECK_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(file);
    CHECK(Open(path, GENERIC_READ, 0, CREATE_NEW) == INVALID_HANDLE_VALUE);
    CHECK_EQ(GetLastError(), ERROR_FILE_EXISTS);
    CHECK(Open(SharePath("absent.txt"), GENERIC_READ, 0, OPEN_EXISTING) == INVALID_HANDLE_VALUE);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    CHECK(Open(SHARE_WORK, GENERIC_READ, 0, OPEN_EXISTING) == INVALID_HANDLE_VALUE);
    CHECK_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    // A closed handle is refused.
    file = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    CHECK_EQ(CloseHandle(file), TRUE);
    char buffer[4];
    DWORD read = 0;
    CHECK_EQ(ReadFile(file, buffer, sizeof buffer, &read, nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

CONFORMANCE_TEST(ReadOnlyFiles) {
    MakeShareFolder();
    std::string path = SharePath("read only.txt");
    DeleteFileA(path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    CloseHandle(file);
    CHECK((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
    // Replacing it by CopyFileA is refused too (documented, ERROR_ACCESS_DENIED), but
    // Wine running as root lets it through, so only deletion is checked here.
    CHECK_EQ(DeleteFileA(path.c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

CONFORMANCE_TEST(FolderRemovalAndMoves) {
    MakeShareFolder();
    std::string folder = SharePath("full");
    CreateDirectoryA(folder.c_str(), nullptr);
    MakeFile(folder + "\\inside.txt", "x");
    CHECK_EQ(RemoveDirectoryA(folder.c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
    CHECK_EQ(RemoveDirectoryA((folder + "\\inside.txt").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_DIRECTORY);
    CHECK_EQ(RemoveDirectoryA(SharePath("never made").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    CHECK_EQ(DeleteFileA(folder.c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    MakeFile(SharePath("a.txt"), "a");
    MakeFile(SharePath("b.txt"), "b");
    CHECK_EQ(MoveFileA(SharePath("a.txt").c_str(), SharePath("B.TXT").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CHECK_EQ(MoveFileA(SharePath("absent.txt").c_str(), SharePath("c.txt").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    DeleteFileA(SharePath("c.txt").c_str());
    CHECK_EQ(MoveFileA(SharePath("a.txt").c_str(), SharePath("c.txt").c_str()), TRUE);
    CHECK_EQ(GetFileAttributesA(SharePath("a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    CHECK_EQ(GetFileAttributesA(SharePath("no folder\\a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    CHECK_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

CONFORMANCE_TEST(RegistryRefusals) {
    HKEY key = nullptr;
    CHECK_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\T98 Refusals\\Child", 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &key, nullptr),
             ERROR_SUCCESS);
    RegCloseKey(key);
    // A key with sub-keys is not deleted.
    CHECK_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\T98 Refusals"), ERROR_ACCESS_DENIED);

    HKEY reader = nullptr;
    CHECK_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\T98 Refusals", 0, KEY_READ, &reader), ERROR_SUCCESS);
    const BYTE text[] = "x";
    CHECK_EQ(RegSetValueExA(reader, "v", 0, REG_SZ, text, sizeof text), ERROR_ACCESS_DENIED);
    RegCloseKey(reader);

    HKEY writer = nullptr;
    CHECK_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\T98 Refusals", 0, KEY_ALL_ACCESS, &writer), ERROR_SUCCESS);
    CHECK_EQ(RegSetValueExA(writer, "Longer Name", 0, REG_SZ, text, sizeof text), ERROR_SUCCESS);
    char name[4];
    DWORD nameSize = sizeof name;
    CHECK_EQ(RegEnumValueA(writer, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    CHECK_EQ(RegEnumValueA(writer, 5, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    CHECK_EQ(RegDeleteValueA(writer, "absent"), ERROR_FILE_NOT_FOUND);
    CHECK_EQ(RegDeleteValueA(writer, "LONGER NAME"), ERROR_SUCCESS);

    // Deleted while open: further use of the handle says so.
    HKEY child = nullptr;
    CHECK_EQ(RegOpenKeyExA(writer, "child", 0, KEY_ALL_ACCESS, &child), ERROR_SUCCESS);
    CHECK_EQ(RegDeleteKeyA(writer, "Child"), ERROR_SUCCESS);
    CHECK_EQ(RegSetValueExA(child, "v", 0, REG_SZ, text, sizeof text), ERROR_KEY_DELETED);
    RegCloseKey(child);
    CHECK_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\T98 Refusals"), ERROR_SUCCESS);
    RegCloseKey(writer);
    CHECK_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

CONFORMANCE_TEST(RegistryKeysEnumerateInNameOrder) {
    HKEY parent = nullptr;
    CHECK_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\T98 Order", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent,
                             nullptr),
             ERROR_SUCCESS);
    for (const char* name : {"beta", "Alpha", "gamma"}) {
        HKEY child = nullptr;
        RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
        RegCloseKey(child);
    }
    const char* expected[] = {"Alpha", "beta", "gamma"};
    for (DWORD i = 0; i < 3; ++i) {
        char name[32];
        DWORD size = sizeof name;
        CHECK_EQ(RegEnumKeyExA(parent, i, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
        CHECK_EQ(static_cast<const char*>(name), expected[i]);
    }
    for (const char* name : expected) RegDeleteKeyA(parent, name);
    RegCloseKey(parent);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\T98 Order");
}
