// The file and registry behaviour the install engine relies on: results and
// last-error codes of folders, copies and deletions, and registry values with
// their types and stored sizes.
#include "conformance/check.h"
#include "platform/win32.h"

#include <cstring>
#include <string>

namespace {

// A fresh machine is used for every run, so the work folder lives on C: directly.
const char WORK[] = "C:\\t98conf";

std::string WorkPath(const char* name) { return std::string(WORK) + "\\" + name; }

void WriteTextFile(const std::string& path, const char* text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    CHECK(WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr));
    CloseHandle(file);
}

std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(cannot open)";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

void EnsureWorkFolder() {
    CreateDirectoryA(WORK, nullptr);
    CHECK(GetFileAttributesA(WORK) != INVALID_FILE_ATTRIBUTES);
}

}  // namespace

CONFORMANCE_TEST(CreateDirectoryResults) {
    EnsureWorkFolder();
    std::string fresh = WorkPath("fresh");
    SetLastError(0);
    CHECK_EQ(CreateDirectoryA(fresh.c_str(), nullptr), TRUE);

    CHECK_EQ(CreateDirectoryA(fresh.c_str(), nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ALREADY_EXISTS);

    // Letter case does not make a different folder.
    CHECK_EQ(CreateDirectoryA(WorkPath("FRESH").c_str(), nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ALREADY_EXISTS);

    CHECK_EQ(CreateDirectoryA(WorkPath("missing\\child").c_str(), nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    // A drive root already exists.
    CHECK_EQ(CreateDirectoryA("C:\\", nullptr), FALSE);
    CHECK(GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_ACCESS_DENIED);
}

CONFORMANCE_TEST(CopyFileResults) {
    EnsureWorkFolder();
    std::string source = WorkPath("source.txt");
    std::string target = WorkPath("target.txt");
    WriteTextFile(source, "first");
    DeleteFileA(target.c_str());

    CHECK_EQ(CopyFileA(WorkPath("absent.txt").c_str(), target.c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    CHECK_EQ(CopyFileA(source.c_str(), WorkPath("no folder\\target.txt").c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), TRUE), TRUE);
    CHECK_EQ(ReadTextFile(target), "first");

    WriteTextFile(source, "second");
    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), TRUE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_FILE_EXISTS);
    CHECK_EQ(ReadTextFile(target), "first");

    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), FALSE), TRUE);
    CHECK_EQ(ReadTextFile(target), "second");

    // Names resolve without regard to letter case, in the source and in the target folder.
    CHECK_EQ(CopyFileA(WorkPath("SOURCE.TXT").c_str(), WorkPath("Target.Txt").c_str(), FALSE), TRUE);
}

CONFORMANCE_TEST(DeleteMissingFile) {
    EnsureWorkFolder();
    CHECK_EQ(DeleteFileA(WorkPath("never there.txt").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    CHECK_EQ(DeleteFileA(WorkPath("no folder\\never there.txt").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

CONFORMANCE_TEST(CurrentDirectory) {
    EnsureWorkFolder();
    char before[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, before);
    CHECK(length > 0 && length < MAX_PATH);
    CHECK_EQ(length, static_cast<DWORD>(std::strlen(before)));

    // Too small a buffer: the size needed, with its NUL.
    char tiny[2];
    CHECK_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), length + 1);

    CHECK_EQ(SetCurrentDirectoryA(WorkPath("not a folder").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    CHECK_EQ(SetCurrentDirectoryA(WorkPath("not a folder\\below").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    CHECK_EQ(after, before);

    // A file is not a folder.
    WriteTextFile(WorkPath("plain.txt"), "x");
    CHECK_EQ(SetCurrentDirectoryA(WorkPath("plain.txt").c_str()), FALSE);
    CHECK_EQ(GetLastError(), ERROR_DIRECTORY);

    CHECK_EQ(SetCurrentDirectoryA(WORK), TRUE);
    char inside[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, inside);
    CHECK_EQ(inside, WORK);
    CHECK_EQ(SetCurrentDirectoryA(before), TRUE);
}

CONFORMANCE_TEST(CopyFileOntoAFolder) {
    EnsureWorkFolder();
    std::string source = WorkPath("onto folder.txt");
    WriteTextFile(source, "x");
    std::string folder = WorkPath("a folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    CHECK_EQ(CopyFileA(source.c_str(), folder.c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

CONFORMANCE_TEST(CopyFileOntoAHeldFile) {
    EnsureWorkFolder();
    std::string source = WorkPath("update.txt");
    std::string target = WorkPath("held.txt");
    WriteTextFile(source, "new");
    WriteTextFile(target, "old");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(held != INVALID_HANDLE_VALUE);
    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), FALSE), FALSE);
    CHECK_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(held);
    CHECK_EQ(ReadTextFile(target), "old");
    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), FALSE), TRUE);
}

CONFORMANCE_TEST(FoldersThatCannotBeMade) {
    EnsureWorkFolder();
    WriteTextFile(WorkPath("file in the way"), "x");
    CHECK_EQ(CreateDirectoryA(WorkPath("file in the way\\below").c_str(), nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    CHECK_EQ(CreateDirectoryA(WorkPath("file in the way").c_str(), nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CHECK_EQ(CreateDirectoryA(WorkPath("bad|name").c_str(), nullptr), FALSE);
    CHECK_EQ(GetLastError(), ERROR_INVALID_NAME);
    // The code for a drive that does not exist differs between systems (2 or 3).
    CHECK_EQ(CreateDirectoryA("Q:\\No Such Drive", nullptr), FALSE);
}

CONFORMANCE_TEST(PathOf259Characters) {
    EnsureWorkFolder();
    // C:\t98conf\ is 11 characters; a name of 248 makes 259.
    std::string target = WorkPath(std::string(248, 'n').c_str());
    CHECK_EQ(target.size(), 259u);
    std::string source = WorkPath("short.txt");
    WriteTextFile(source, "long");
    CHECK_EQ(CopyFileA(source.c_str(), target.c_str(), FALSE), TRUE);
    CHECK_EQ(ReadTextFile(target), "long");
    CHECK_EQ(DeleteFileA(target.c_str()), TRUE);
}

CONFORMANCE_TEST(ModuleAndSystemFolderLengths) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    CHECK(length > 0 && length < MAX_PATH);
    CHECK_EQ(length, static_cast<DWORD>(std::strlen(path)));
    CHECK(std::strrchr(path, '\\') != nullptr);

    // Too small: cut to the buffer and the buffer's size returned (whether the cut text
    // is terminated differs between versions).
    char small[4];
    SetLastError(0);
    CHECK_EQ(GetModuleFileNameA(nullptr, small, sizeof small), static_cast<DWORD>(sizeof small));
    CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

    char system[MAX_PATH];
    UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    CHECK(systemLength > 3 && systemLength < MAX_PATH);
    CHECK(system[systemLength - 1] != '\\');
    // Too small: the size needed, with its NUL.
    CHECK_EQ(GetSystemDirectoryA(small, sizeof small), systemLength + 1);
}

namespace {

const char TEST_KEY[] = "Software\\T98 Conformance";

HKEY CreateKey(HKEY root, const char* path, DWORD* disposition) {
    HKEY key = nullptr;
    DWORD ignored;
    LONG result = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                  disposition ? disposition : &ignored);
    CHECK_EQ(result, ERROR_SUCCESS);
    return result == ERROR_SUCCESS ? key : nullptr;
}

LONG SetString(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}

}  // namespace

CONFORMANCE_TEST(RegistryCreateAndOpen) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\T98 Conformance\\Deep\\Er");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\T98 Conformance\\Deep");
    DWORD disposition = 0;
    // Missing keys on the way are made too.
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, "Software\\T98 Conformance\\Deep\\Er", &disposition);
    CHECK_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(key);
    key = CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\t98 conformance\\DEEP\\er", &disposition);
    CHECK_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);

    HKEY opened = nullptr;
    CHECK_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\T98 Conformance\\Absent", 0, KEY_READ, &opened),
             ERROR_FILE_NOT_FOUND);
    CHECK_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\t98 CONFORMANCE\\deep", 0, KEY_READ, &opened),
             ERROR_SUCCESS);
    RegCloseKey(opened);
}

CONFORMANCE_TEST(RegistryStringSizes) {
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr);
    if (!key) return;
    CHECK_EQ(SetString(key, "", "Tesmara Data"), ERROR_SUCCESS);
    CHECK_EQ(SetString(key, "Path", "C:\\Some Folder"), ERROR_SUCCESS);

    // Stored with its NUL: 12 characters take 13 bytes.
    DWORD type = 0, size = 0;
    CHECK_EQ(RegQueryValueExA(key, "", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    CHECK_EQ(type, static_cast<DWORD>(REG_SZ));
    CHECK_EQ(size, 13u);

    char buffer[64];
    size = sizeof buffer;
    CHECK_EQ(RegQueryValueExA(key, "pATH", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
    CHECK_EQ(size, 15u);
    CHECK_EQ(static_cast<const char*>(buffer), "C:\\Some Folder");

    // Too small: 234 and the size needed.
    size = 4;
    CHECK_EQ(RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_MORE_DATA);
    CHECK_EQ(size, 15u);

    // Exactly the text without its NUL is still too small.
    size = 14;
    CHECK_EQ(RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_MORE_DATA);

    size = sizeof buffer;
    CHECK_EQ(RegQueryValueExA(key, "Absent", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
             ERROR_FILE_NOT_FOUND);

    // Setting again replaces the value in place, with its new size.
    CHECK_EQ(SetString(key, "PATH", "D:\\"), ERROR_SUCCESS);
    size = sizeof buffer;
    CHECK_EQ(RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
    CHECK_EQ(size, 4u);
    CHECK_EQ(static_cast<const char*>(buffer), "D:\\");
    RegCloseKey(key);
}

CONFORMANCE_TEST(RegistryOtherTypesAsBytes) {
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr);
    if (!key) return;
    BYTE bytes[260];
    for (int i = 0; i < 260; ++i) bytes[i] = static_cast<BYTE>('A' + i % 26);
    CHECK_EQ(RegSetValueExA(key, "Binary", 0, REG_BINARY, bytes, sizeof bytes), ERROR_SUCCESS);
    DWORD number = 0x43;
    CHECK_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
             ERROR_SUCCESS);

    // A binary value that fills the buffer comes back whole, with no terminator added.
    BYTE buffer[261];
    std::memset(buffer, 0x7F, sizeof buffer);
    DWORD type = 0, size = 260;
    CHECK_EQ(RegQueryValueExA(key, "Binary", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    CHECK_EQ(type, static_cast<DWORD>(REG_BINARY));
    CHECK_EQ(size, 260u);
    CHECK(std::memcmp(buffer, bytes, 260) == 0);
    CHECK_EQ(buffer[260], 0x7F);

    size = sizeof buffer;
    CHECK_EQ(RegQueryValueExA(key, "Number", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    CHECK_EQ(type, static_cast<DWORD>(REG_DWORD));
    CHECK_EQ(size, 4u);
    CHECK_EQ(buffer[0], 0x43);
    CHECK_EQ(buffer[1], 0);
    RegCloseKey(key);
}

CONFORMANCE_TEST(ClassesRootIsMachineClasses) {
    HKEY key = CreateKey(HKEY_CLASSES_ROOT, ".t98conf", nullptr);
    if (!key) return;
    CHECK_EQ(SetString(key, "", "T98Conf.Data"), ERROR_SUCCESS);
    RegCloseKey(key);

    HKEY machine = nullptr;
    CHECK_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.T98CONF", 0, KEY_READ, &machine), ERROR_SUCCESS);
    if (!machine) return;
    char buffer[64];
    DWORD type = 0, size = sizeof buffer;
    CHECK_EQ(RegQueryValueExA(machine, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size), ERROR_SUCCESS);
    CHECK_EQ(static_cast<const char*>(buffer), "T98Conf.Data");
    RegCloseKey(machine);
}

CONFORMANCE_TEST(RegistryStaleHandle) {
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr);
    if (!key) return;
    CHECK_EQ(RegCloseKey(key), ERROR_SUCCESS);
    CHECK_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

CONFORMANCE_TEST(RegistryValueNameLimit) {
    HKEY key = CreateKey(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr);
    if (!key) return;
    const BYTE one = 1;
    // 16383 characters is the longest name a value may have.
    const std::string longest(16383, 'n');
    CHECK_EQ(RegSetValueExA(key, longest.c_str(), 0, REG_BINARY, &one, 1), ERROR_SUCCESS);
    CHECK_EQ(RegSetValueExA(key, (longest + "n").c_str(), 0, REG_BINARY, &one, 1), ERROR_INVALID_PARAMETER);
    DWORD type = 0, size = 0;
    CHECK_EQ(RegQueryValueExA(key, (longest + "n").c_str(), nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    CHECK_EQ(RegDeleteValueA(key, longest.c_str()), ERROR_SUCCESS);
    RegCloseKey(key);
}
