// REGEDIT4 export of arbitrary key names, value names, types and data: the
// export succeeds and leaves out no key that the registry enumerates.
#include "platform/advapi32/registry_export.h"
#include "platform/win32.h"
#include "tests/fuzz/fuzz_fields.h"
#include "tests/fuzz/scratch_prefix.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kFuzzKey[] = "Software\\Fuzz";

// Keys below `path`, itself included, found with a buffer that fits any name.
size_t CountKeys(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    std::vector<std::string> children;
    std::vector<char> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, index, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(name.data(), nameSize);
    }
    RegCloseKey(key);
    size_t count = 1;
    for (const std::string& child : children) count += CountKeys(path + "\\" + child);
    return count;
}

void DeleteTree(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::vector<char> name(16384);
    for (;;) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, 0, name.data(), &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        size_t before = CountKeys(path);
        DeleteTree(path + "\\" + std::string(name.data(), nameSize));
        if (CountKeys(path) >= before) break;  // a child that cannot go would loop forever
    }
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

size_t CountSections(const std::string& text) {
    size_t sections = 0;
    for (size_t at = 0; (at = text.find("\n[HKEY_CURRENT_USER\\Software\\Fuzz", at)) != std::string::npos; ++at)
        ++sections;
    return sections;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UseScratchPrefix();
    FuzzFields fields(data, size);
    std::string keyPath = std::string(kFuzzKey) + "\\" + fields.Text();
    std::string valueName = fields.Text();
    DWORD type = fields.Byte() % 12;
    std::string bytes = fields.Rest();

    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    std::string text = "\n";
    if (layer::ExportRegistryKey(HKEY_CURRENT_USER, kFuzzKey, "HKEY_CURRENT_USER\\Software\\Fuzz", &text) !=
        ERROR_SUCCESS)
        std::abort();
    // Line breaks inside names or text would let the count mistake them for sections.
    bool oneLineEach = (keyPath + valueName + bytes).find('\n') == std::string::npos;
    if (oneLineEach && CountSections(text) != CountKeys(kFuzzKey)) std::abort();
    DeleteTree(kFuzzKey);
    return 0;
}
