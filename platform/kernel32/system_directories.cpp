#include "platform/kernel32/paths.h"
#include "platform/win32.h"

#include <cstring>
#include <string>

namespace {

// Copies when it fits: the length without the NUL; else the size needed with it.
UINT CopyFolderText(const std::string& text, LPSTR buffer, UINT size) {
    if (!buffer || size <= text.size()) return static_cast<UINT>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<UINT>(text.size());
}

}  // namespace

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT size) {
    layer::PrefixFolder();
    return CopyFolderText(layer::SystemDirectoryWindowsPath(), buffer, size);
}

UINT WINAPI GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    layer::PrefixFolder();
    return CopyFolderText("C:\\windows", buffer, size);
}
