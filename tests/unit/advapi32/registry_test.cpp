#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <cstring>

namespace {

class RegistryTest : public FreshPrefix {
protected:
    HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        DWORD ignored;
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                  disposition ? disposition : &ignored),
                  ERROR_SUCCESS)
            << path;
        return key;
    }

    static LONG SetString(HKEY key, const char* name, const char* text) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(std::strlen(text) + 1));
    }

    static std::string QueryString(HKEY key, const char* name) {
        char buffer[MAX_PATH] = {};
        DWORD type = 0, size = sizeof buffer;
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return "(missing)";
        return std::string(buffer, size ? size - 1 : 0);
    }
};

TEST_F(RegistryTest, FreshHiveNamesTheProgramFilesFolder) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "ProgramFilesDir", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 17u);
    EXPECT_EQ(QueryString(key, "programfilesdir"), "C:\\Program Files");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, KeysAreFoundWithoutRegardToCaseAndKeepTheirSpelling) {
    DWORD disposition = 0;
    HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Vintrel\\App Paths\\Tesmara.exe", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(key);
    key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\vintrel\\APP PATHS\\tesmara.EXE", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(SetString(key, "Path", "C:\\Old"), ERROR_SUCCESS);
    EXPECT_EQ(SetString(key, "PATH", "C:\\New"), ERROR_SUCCESS);
    RegCloseKey(key);

    HKEY parent = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\VINTREL\\app paths", 0, KEY_READ, &parent), ERROR_SUCCESS);
    char name[MAX_PATH];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Tesmara.exe");
    EXPECT_EQ(nameSize, 11u);
    nameSize = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExA(parent, "TESMARA.EXE", 0, KEY_READ, &child), ERROR_SUCCESS);
    nameSize = sizeof name;
    DWORD size = 0;
    EXPECT_EQ(RegEnumValueA(child, 0, name, &nameSize, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Path");  // replaced in place, first spelling kept
    EXPECT_EQ(QueryString(child, "path"), "C:\\New");
    RegCloseKey(child);
    RegCloseKey(parent);

    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vintrel\\Absent", 0, KEY_READ, &child), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(child, nullptr);
}

TEST_F(RegistryTest, QuerySizesAndShortBuffers) {
    HKEY key = Create(HKEY_CLASSES_ROOT, "Tesmara.Data");
    ASSERT_EQ(SetString(key, "", "Tesmara Data"), ERROR_SUCCESS);
    BYTE binary[3] = {1, 0, 2};
    ASSERT_EQ(RegSetValueExA(key, "Bytes", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Empty", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);

    struct Case {
        const char* name;
        DWORD bufferSize;  // 0: ask for the size only
        LONG result;
        DWORD size;
        DWORD type;
    } cases[] = {
        {"", 0, ERROR_SUCCESS, 13, REG_SZ},
        {nullptr, 64, ERROR_SUCCESS, 13, REG_SZ},
        {"", 12, ERROR_MORE_DATA, 13, REG_SZ},
        {"", 13, ERROR_SUCCESS, 13, REG_SZ},
        {"BYTES", 3, ERROR_SUCCESS, 3, REG_BINARY},
        {"Bytes", 2, ERROR_MORE_DATA, 3, REG_BINARY},
        {"Empty", 64, ERROR_SUCCESS, 0, REG_SZ},
        {"Absent", 64, ERROR_FILE_NOT_FOUND, 64, 0},
    };
    for (const Case& c : cases) {
        BYTE buffer[64];
        std::memset(buffer, 0x7F, sizeof buffer);
        DWORD type = 0, size = c.bufferSize;
        EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, c.bufferSize ? buffer : nullptr, &size), c.result)
            << (c.name ? c.name : "(null)") << " into " << c.bufferSize;
        EXPECT_EQ(size, c.size) << (c.name ? c.name : "(null)") << " into " << c.bufferSize;
        EXPECT_EQ(type, c.type) << (c.name ? c.name : "(null)");
        if (c.result == ERROR_MORE_DATA) {
            EXPECT_EQ(buffer[0], 0x7F) << "nothing written on ERROR_MORE_DATA";
        }
    }
    RegCloseKey(key);

    // HKEY_CLASSES_ROOT is a view of the machine's classes.
    HKEY machine = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\tesmara.data", 0, KEY_READ, &machine),
              ERROR_SUCCESS);
    EXPECT_EQ(QueryString(machine, ""), "Tesmara Data");
    RegCloseKey(machine);
}

TEST_F(RegistryTest, DeletionAndEnumeration) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Vintrel\\Tesmara");
    for (const char* name : {"Zeta", "alpha", "Mid"}) EXPECT_EQ(SetString(key, name, name), ERROR_SUCCESS);
    // Values enumerate in the order they were made.
    const char* const order[] = {"Zeta", "alpha", "Mid"};
    char name[8];
    for (DWORD i = 0; i < 3; ++i) {
        DWORD nameSize = sizeof name;
        ASSERT_EQ(RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
        EXPECT_STREQ(name, order[i]);
    }
    DWORD tiny = 4;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &tiny, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(RegDeleteValueA(key, "ALPHA"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "alpha"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    HKEY software = Create(HKEY_CURRENT_USER, "Software");
    EXPECT_EQ(RegDeleteKeyA(software, "vintrel"), ERROR_ACCESS_DENIED);  // it has a sub-key
    EXPECT_EQ(RegDeleteKeyA(software, "Vintrel\\TESMARA"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(software, "Vintrel\\Tesmara"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(software, "Vintrel"), ERROR_SUCCESS);
    RegCloseKey(software);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, HandlesAreChecked) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Vintrel");
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vintrel", 0, KEY_READ, &reader), ERROR_SUCCESS);
    EXPECT_EQ(SetString(reader, "x", "y"), ERROR_ACCESS_DENIED);
    RegCloseKey(reader);

    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetString(key, "x", "y"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetString(reinterpret_cast<HKEY>(0x12345), "x", "y"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);

    // A key deleted while open is reported as such.
    key = Create(HKEY_LOCAL_MACHINE, "Software\\Vintrel\\Gone");
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Vintrel\\Gone"), ERROR_SUCCESS);
    EXPECT_EQ(SetString(key, "x", "y"), ERROR_KEY_DELETED);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ValuesPersistInThePrefix) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Vintrel");
    ASSERT_EQ(SetString(key, "Kept", "yes"), ERROR_SUCCESS);
    RegCloseKey(key);

    // Another prefix is another machine; coming back finds the value again.
    layer::Profile elsewhere = layer::CurrentProfile();
    std::string home = elsewhere.prefix;
    elsewhere.prefix = prefix_ + "/other";
    layer::SetProfile(elsewhere);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vintrel", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    elsewhere.prefix = home;
    layer::SetProfile(elsewhere);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vintrel", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key, "kept"), "yes");
    RegCloseKey(key);

    // A prefix removed and made again is a fresh machine, not the removed hive.
    std::filesystem::remove_all(prefix_);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vintrel", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vintrel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(std::filesystem::exists(prefix_ + "/system.reg.db"));
    EXPECT_TRUE(std::filesystem::is_directory(Host("windows/system32")));
}

}  // namespace
