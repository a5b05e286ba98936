#include "engine/install_folders.h"

#include "engine_fixture.h"

#include <cstring>

namespace {

const char CURRENT_VERSION[] = "Software\\Microsoft\\Windows\\CurrentVersion";

void SetValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, CURRENT_VERSION, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetProgramFilesDir(const std::string& text, DWORD type = REG_SZ) {
    SetValue("ProgramFilesDir", type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

}  // namespace

using FoldersTest = EngineTest;

TEST_F(FoldersTest, DefaultDestinationFromProgramFilesDir) {
    struct Case {
        const char* label;
        std::string value;  // empty: no value at all
        DWORD type;
        std::string expected;
    };
    const std::string fitting(241, 'x');   // leaves exactly room for the suffix
    const std::string crowded(242, 'x');   // one character too many
    const std::string tooLong(260, 'x');   // does not fit the buffer at all
    const Case cases[] = {
        {"no value", "", REG_SZ, "C:\\Program Files\\Vintrel\\Skyledger"},
        {"other drive", "D:\\Apps", REG_SZ, "D:\\Apps\\Vintrel\\Skyledger"},
        {"final backslash", "D:\\Apps\\", REG_SZ, "D:\\Apps\\\\Vintrel\\Skyledger"},
        {"system drive", "%SystemDrive%\\Program Files", REG_EXPAND_SZ, "C:\\Program Files\\Vintrel\\Skyledger"},
        {"system drive run of %", "%%SystemDrive%%\\Apps", REG_SZ, "C:\\Apps\\Vintrel\\Skyledger"},
        {"system drive alone", "%SystemDrive%", REG_EXPAND_SZ, "C:\\Vintrel\\Skyledger"},
        {"other letter case", "%systemdrive%\\Apps", REG_SZ, "%systemdrive%\\Apps\\Vintrel\\Skyledger"},
        {"room for the suffix", fitting, REG_SZ, fitting + "\\Vintrel\\Skyledger"},
        {"no room for the suffix", crowded, REG_SZ, "C:\\Program Files\\Vintrel\\Skyledger"},
        {"longer than the buffer", tooLong, REG_SZ, "C:\\Program Files\\Vintrel\\Skyledger"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, CURRENT_VERSION, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "ProgramFilesDir");
            RegCloseKey(key);
        }
        if (!c.value.empty()) SetProgramFilesDir(c.value, c.type);
        std::memset(installerState.defaultDestFolder, '?', sizeof installerState.defaultDestFolder);
        GetDefaultDestination();
        EXPECT_EQ(std::string(installerState.defaultDestFolder), c.expected);
    }
}

TEST_F(FoldersTest, ReadRegistryStringAlwaysGivesTerminatedText) {
    std::vector<BYTE> filling(260);
    for (size_t i = 0; i < filling.size(); ++i) filling[i] = static_cast<BYTE>('a' + i % 26);
    SetValue("Filling", REG_BINARY, filling.data(), 260);
    SetValue("AlmostFilling", REG_BINARY, filling.data(), 259);
    DWORD number = 0x43;
    SetValue("Number", REG_DWORD, &number, sizeof number);
    SetValue("Empty", REG_SZ, "", 0);

    struct Case {
        const char* valueName;
        std::string expected;
    };
    const Case cases[] = {
        {"Filling", "default"},  // no room left for a terminator
        {"AlmostFilling", std::string(filling.begin(), filling.begin() + 259)},
        {"Number", "C"},
        {"Empty", ""},
        {"Absent", "default"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.valueName);
        char buffer[260 + 8];
        std::memset(buffer, '?', sizeof buffer);
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, CURRENT_VERSION, c.valueName, "default", buffer, 260), 1);
        ASSERT_NE(std::memchr(buffer, '\0', 260), nullptr);
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(std::string(buffer + 260, 8), std::string(8, '?'));
    }
    char buffer[16];
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\No Such Key", "X", "fallback", buffer, 16), 1);
    EXPECT_STREQ(buffer, "fallback");
}

TEST_F(FoldersTest, ModuleFolderKeepsTheFinalBackslash) {
    char path[260];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(length, 0u);
    char folder[260];
    GetModuleFolder(nullptr, folder);
    std::string expected(path, std::strrchr(path, '\\') + 1);
    EXPECT_EQ(std::string(folder), expected);
}

TEST_F(FoldersTest, ModuleFolderWithoutAModulePathIsTheCurrentFolder) {
    // A handle that names no module: GetModuleFileNameA gives 0.
    HINSTANCE bogus = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x7e57));
    char probe[260];
    ASSERT_EQ(GetModuleFileNameA(bogus, probe, sizeof probe), 0u);

    char current[260];
    DWORD length = GetCurrentDirectoryA(sizeof current, current);
    ASSERT_GT(length, 0u);
    std::string expected(current);
    if (expected.back() != '\\') expected += '\\';
    char folder[260];
    GetModuleFolder(bogus, folder);
    EXPECT_EQ(std::string(folder), expected);
}
