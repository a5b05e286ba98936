#include "platform/advapi32/registry_export.h"
#include "platform/advapi32/registry_root_names.h"
#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <string>
#include <vector>

namespace {

class RegistryExportTest : public FreshPrefix {};

TEST_F(RegistryExportTest, WritesRegedit4Text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "Tesmara.Data\\DefaultIcon", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const char icon[] = "C:\\Program Files\\Vintrel\\Tesm.exe,1";
    const char quoted[] = "say \"hi\"";
    const BYTE bytes[] = {0x01, 0xAB, 0x00};
    const BYTE number[] = {0x43, 0x00, 0x01, 0x00};
    const char expand[] = "%A%";
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(icon), sizeof icon);
    RegSetValueExA(key, "Quote", 0, REG_SZ, reinterpret_cast<const BYTE*>(quoted), sizeof quoted);
    RegSetValueExA(key, "Bytes", 0, REG_BINARY, bytes, sizeof bytes);
    RegSetValueExA(key, "Number", 0, REG_DWORD, number, sizeof number);
    RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
    RegCloseKey(key);

    std::string text;
    ASSERT_EQ(layer::ExportRegistryKey(HKEY_CLASSES_ROOT, "tesmara.data", "HKEY_CLASSES_ROOT\\Tesmara.Data", &text),
              ERROR_SUCCESS);
    EXPECT_EQ(text,
              "[HKEY_CLASSES_ROOT\\Tesmara.Data]\n"
              "\n"
              "[HKEY_CLASSES_ROOT\\Tesmara.Data\\DefaultIcon]\n"
              "@=\"C:\\\\Program Files\\\\Vintrel\\\\Tesm.exe,1\"\n"
              "\"Quote\"=\"say \\\"hi\\\"\"\n"
              "\"Bytes\"=hex:01,ab,00\n"
              "\"Number\"=dword:00010043\n"
              "\"Expand\"=hex(2):25,41,25,00\n"
              "\n");

    std::string hive = layer::ExportHive();
    EXPECT_EQ(hive.rfind("REGEDIT4\n\n[HKEY_LOCAL_MACHINE]\n", 0), 0u);
    EXPECT_NE(hive.find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\Tesmara.Data\\DefaultIcon]\n"), std::string::npos);
    EXPECT_NE(hive.find("\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n"), std::string::npos);
    EXPECT_EQ(layer::ExportRegistryKey(HKEY_LOCAL_MACHINE, "Absent", "x", &text), ERROR_FILE_NOT_FOUND);
}

// The text shows every value, also one with the longest name a value may have or
// large data, and the values after it.
TEST_F(RegistryExportTest, LongNamesAndDataAreWrittenWithTheValuesAfterThem) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vintrel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const std::string longName(16383, 'n');
    const std::vector<BYTE> longData(70000, 0xAB);
    const BYTE one[] = {1};
    ASSERT_EQ(RegSetValueExA(key, longName.c_str(), 0, REG_BINARY, one, sizeof one), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, (longName + "n").c_str(), 0, REG_BINARY, one, sizeof one), ERROR_INVALID_PARAMETER);
    RegSetValueExA(key, "Big", 0, REG_BINARY, longData.data(), static_cast<DWORD>(longData.size()));
    RegSetValueExA(key, "After", 0, REG_BINARY, one, sizeof one);
    RegCloseKey(key);

    std::string text;
    ASSERT_EQ(layer::ExportRegistryKey(HKEY_CURRENT_USER, "Software\\Vintrel", "V", &text), ERROR_SUCCESS);
    EXPECT_NE(text.find("\"" + longName + "\"=hex:01\n"), std::string::npos);
    std::string bigLine = "\"Big\"=hex:ab";
    for (size_t i = 1; i < longData.size(); ++i) bigLine += ",ab";
    EXPECT_NE(text.find(bigLine + "\n"), std::string::npos);
    EXPECT_NE(text.find("\"After\"=hex:01\n"), std::string::npos);
}

TEST_F(RegistryExportTest, RootNamesLongAndShort) {
    HKEY root = nullptr;
    std::string below;
    EXPECT_TRUE(layer::SplitRegistryPath("hklm\\Software\\Vintrel\\", &root, &below));
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(below, "Software\\Vintrel");
    EXPECT_TRUE(layer::SplitRegistryPath("HKEY_CLASSES_ROOT", &root, &below));
    EXPECT_EQ(root, HKEY_CLASSES_ROOT);
    EXPECT_EQ(below, "");
    EXPECT_FALSE(layer::SplitRegistryPath("HKEY_NOWHERE\\x", &root, &below));
    EXPECT_STREQ(layer::PredefinedKeyName(HKEY_USERS), "HKEY_USERS");
}

}  // namespace
