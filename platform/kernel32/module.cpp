#include "platform/kernel32/paths.h"
#include "platform/win32.h"

#include <climits>
#include <cstring>
#include <string>
#include <strings.h>
#include <unistd.h>

namespace {

// The program image's handle: the classic image base, never null.
const HMODULE kProgramModule = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));

std::string ProgramHostPath() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    return std::string(path, static_cast<size_t>(length));
}

bool NamesProgram(LPCSTR name) {
    std::string program = ProgramHostPath();
    std::string file = program.substr(program.rfind('/') + 1);
    std::string withExe = file + ".exe";
    return strcasecmp(name, file.c_str()) == 0 || strcasecmp(name, withExe.c_str()) == 0;
}

}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR name) {
    if (!name || NamesProgram(name)) return kProgramModule;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
    if (module && module != kProgramModule) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::string path = layer::WindowsPathFromHost(ProgramHostPath());
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= size) {
        // Cut to fit, NUL-terminated, reporting the full buffer as modern Windows does.
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}
