#include "engine/product_registration.h"

#include <cstdio>
#include <cstring>

namespace {

const char APP_PATHS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tesmara.exe";
const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tesmara";

// Writes destFolder followed by suffix; a text that does not fit is not written at all.
void WriteFolderValue(HKEY root, const char* subKey, const char* valueName, const char* destFolder,
                      const char* suffix) {
    char data[512];
    int length = std::snprintf(data, sizeof data, "%s%s", destFolder, suffix);
    if (length < 0 || length >= static_cast<int>(sizeof data)) return;
    WriteRegistryString(root, subKey, valueName, data);
}

}  // namespace

int WriteRegistryString(HKEY root, const char* subKey, const char* valueName, const char* text) {
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
        return 0;
    }
    LONG result = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 1 : 0;
}

void RegisterProduct(const char* destFolder) {
    WriteFolderValue(HKEY_LOCAL_MACHINE, APP_PATHS_KEY, "", destFolder, "Tesmara.exe");

    // The folder without its final backslash; an empty folder stays empty.
    char path[512];
    size_t length = std::strlen(destFolder);
    if (length < sizeof path) {
        size_t kept = length > 0 ? length - 1 : 0;
        std::memcpy(path, destFolder, kept);
        path[kept] = '\0';
        WriteRegistryString(HKEY_LOCAL_MACHINE, APP_PATHS_KEY, "Path", path);
    }

    WriteRegistryString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName", "Vintrel Tesmara 98 - Skyledger");
    WriteFolderValue(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString", destFolder, "Uninst.exe");
    WriteRegistryString(HKEY_CLASSES_ROOT, ".Tesm", "", "Tesmara.Data");
    WriteRegistryString(HKEY_CLASSES_ROOT, "Tesmara.Data", "", "Tesmara Data");
    WriteFolderValue(HKEY_CLASSES_ROOT, "Tesmara.Data\\DefaultIcon", "", destFolder, "Tesm.exe,1");
}
