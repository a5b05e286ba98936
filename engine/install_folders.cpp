#include "engine/install_folders.h"

#include "app/installer_state.h"

#include <cstdio>
#include <cstring>

namespace {

const char DEFAULT_PROGRAM_FILES[] = "C:\\Program Files";
const char PRODUCT_SUFFIX[] = "\\Vintrel\\Skyledger";
const char SYSTEM_DRIVE_VARIABLE[] = "%SystemDrive%";

// Copies text into buffer, cut to fit, always terminated.
void CopyText(char* buffer, int capacity, const char* text) {
    std::snprintf(buffer, static_cast<size_t>(capacity), "%s", text);
}

// The second piece of text split at runs of '%', a leading run skipped; "" when there is none.
void SecondPercentPiece(const char* text, char* piece, size_t capacity) {
    const char* p = text;
    while (*p == '%') ++p;
    while (*p && *p != '%') ++p;  // the first piece
    while (*p == '%') ++p;
    size_t length = std::strcspn(p, "%");
    if (length >= capacity) length = capacity - 1;
    std::memcpy(piece, p, length);
    piece[length] = '\0';
}

}  // namespace

void GetModuleFolder(HINSTANCE module, char* buffer) {
    DWORD length = GetModuleFileNameA(module, buffer, PATH_TEXT_SIZE);
    // A length of 0 is a failure and one of the buffer's size a cut path: neither names our folder.
    if (length > 0 && length < PATH_TEXT_SIZE) {
        for (DWORD i = length; i-- > 0;) {
            if (buffer[i] == '\\' || buffer[i] == ':') {
                buffer[i + 1] = '\0';
                return;
            }
        }
    }
    // Without a module path the files are sought where the installer was started from.
    DWORD current = GetCurrentDirectoryA(PATH_TEXT_SIZE, buffer);
    if (current == 0 || current + 1 >= PATH_TEXT_SIZE) {
        buffer[0] = '\0';
        return;
    }
    if (buffer[current - 1] != '\\') std::strcpy(buffer + current, "\\");
}

int ReadRegistryString(HKEY root, const char* subKey, const char* valueName, const char* defaultText,
                       char* buffer, int capacity) {
    if (capacity <= 0) return 1;
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        CopyText(buffer, capacity, defaultText);
        return 1;
    }
    DWORD size = static_cast<DWORD>(capacity);
    LONG result = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    // Any type is read as text, so the terminator is ours to add; a value that fills
    // the buffer without one does not fit.
    if (result != ERROR_SUCCESS || size > static_cast<DWORD>(capacity) ||
        (size == static_cast<DWORD>(capacity) && buffer[size - 1] != '\0')) {
        CopyText(buffer, capacity, defaultText);
        return 1;
    }
    if (size < static_cast<DWORD>(capacity)) buffer[size] = '\0';
    return 1;
}

void GetDefaultDestination() {
    char* folder = installerState.defaultDestFolder;
    ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                       DEFAULT_PROGRAM_FILES, folder, PATH_TEXT_SIZE);
    if (std::strstr(folder, SYSTEM_DRIVE_VARIABLE)) {
        // The system drive is always C:; the variable alone names that drive's root.
        char piece[PATH_TEXT_SIZE - 2];  // room for "C:" before it
        SecondPercentPiece(folder, piece, sizeof piece);
        std::snprintf(folder, PATH_TEXT_SIZE, "C:%s", piece);
    }
    // A folder with no room for the suffix would be cut into another folder.
    if (std::strlen(folder) + std::strlen(PRODUCT_SUFFIX) >= PATH_TEXT_SIZE) {
        std::strcpy(folder, DEFAULT_PROGRAM_FILES);
    }
    std::strcat(folder, PRODUCT_SUFFIX);
}
