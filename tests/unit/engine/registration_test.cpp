#include "engine/product_registration.h"

#include "engine_fixture.h"

namespace {

const char APP_PATHS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tesmara.exe";
const char UNINSTALL[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tesmara";

struct StoredValue {
    LONG result = -1;
    DWORD type = 0;
    DWORD size = 0;
    std::string text;
};

StoredValue Query(HKEY root, const char* subKey, const char* valueName) {
    StoredValue value;
    HKEY key;
    value.result = RegOpenKeyExA(root, subKey, 0, KEY_READ, &key);
    if (value.result != ERROR_SUCCESS) return value;
    char buffer[600];
    value.size = sizeof buffer;
    value.result = RegQueryValueExA(key, valueName, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &value.size);
    RegCloseKey(key);
    if (value.result == ERROR_SUCCESS) value.text.assign(buffer, value.size);
    return value;
}

struct Expected {
    HKEY root;
    const char* key;
    const char* valueName;
    std::string text;
};

std::vector<Expected> RegistrationFor(const std::string& folder, const std::string& path) {
    return {
        {HKEY_LOCAL_MACHINE, APP_PATHS, "", folder + "Tesmara.exe"},
        {HKEY_LOCAL_MACHINE, APP_PATHS, "Path", path},
        {HKEY_LOCAL_MACHINE, UNINSTALL, "DisplayName", "Vintrel Tesmara 98 - Skyledger"},
        {HKEY_LOCAL_MACHINE, UNINSTALL, "UninstallString", folder + "Uninst.exe"},
        {HKEY_CLASSES_ROOT, ".Tesm", "", "Tesmara.Data"},
        {HKEY_CLASSES_ROOT, "Tesmara.Data", "", "Tesmara Data"},
        {HKEY_CLASSES_ROOT, "Tesmara.Data\\DefaultIcon", "", folder + "Tesm.exe,1"},
    };
}

void ExpectRegistration(const std::vector<Expected>& rows) {
    for (const Expected& row : rows) {
        SCOPED_TRACE(std::string(row.key) + " / " + row.valueName);
        StoredValue value = Query(row.root, row.key, row.valueName);
        ASSERT_EQ(value.result, ERROR_SUCCESS);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        // Stored with its terminating NUL.
        EXPECT_EQ(value.size, row.text.size() + 1);
        EXPECT_EQ(value.text, row.text + '\0');
    }
}

}  // namespace

using RegistrationTest = EngineTest;

TEST_F(RegistrationTest, WritesTheSevenValuesWithTheirSizes) {
    RegisterProduct("C:\\Program Files\\Vintrel\\Skyledger\\");
    const std::string folder = "C:\\Program Files\\Vintrel\\Skyledger";
    ExpectRegistration(RegistrationFor(folder + "\\", folder));
    EXPECT_EQ(Query(HKEY_CLASSES_ROOT, "Tesmara.Data", "").size, 13u);
    // The file type lands among the machine's classes.
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "Software\\Classes\\.Tesm", "").text, std::string("Tesmara.Data") + '\0');
}

TEST_F(RegistrationTest, DriveRootDestination) {
    RegisterProduct("C:\\");
    ExpectRegistration(RegistrationFor("C:\\", "C:"));
}

TEST_F(RegistrationTest, EmptyDestinationGivesAnEmptyPath) {
    RegisterProduct("");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, APP_PATHS, "Path").text, std::string(1, '\0'));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, APP_PATHS, "").text, std::string("Tesmara.exe") + '\0');
}

TEST_F(RegistrationTest, ASecondRegistrationReplacesValuesInPlace) {
    RegisterProduct("C:\\Program Files\\Vintrel\\Skyledger\\");
    ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, UNINSTALL, "Other", "kept"), 1);

    RegisterProduct("D:\\Tesmara\\");
    ExpectRegistration(RegistrationFor("D:\\Tesmara\\", "D:\\Tesmara"));
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, UNINSTALL, "Other").text, std::string("kept") + '\0');
}

TEST_F(RegistrationTest, WriteRegistryStringReportsFailure) {
    HKEY stale = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x5eed));
    EXPECT_EQ(WriteRegistryString(stale, "Anything", "", "x"), 0);
    EXPECT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, "Software\\New\\Deep\\Key", "", "x"), 1);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, "software\\NEW\\deep\\key", "").text, std::string("x") + '\0');
}
