// The default destination from any ProgramFilesDir value, of any type and
// size: a path that fits in 260 bytes and ends in the product's folder.
#include "app/installer_state.h"
#include "engine/install_folders.h"
#include "platform/win32.h"
#include "tests/fuzz/fuzz_fields.h"
#include "tests/fuzz/scratch_prefix.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UseScratchPrefix();
    FuzzFields fields(data, size);
    DWORD type = fields.Byte() % 12;
    std::string value = fields.Rest();

    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        std::abort();
    RegSetValueExA(key, "ProgramFilesDir", 0, type, reinterpret_cast<const BYTE*>(value.data()),
                   static_cast<DWORD>(value.size()));
    RegCloseKey(key);

    installerState = InstallerState{};
    std::memset(installerState.defaultDestFolder, 'x', sizeof installerState.defaultDestFolder);
    GetDefaultDestination();
    const char* folder = installerState.defaultDestFolder;
    size_t length = strnlen(folder, PATH_TEXT_SIZE);
    const char suffix[] = "\\Vintrel\\Skyledger";
    if (length == PATH_TEXT_SIZE || length < sizeof suffix - 1 ||
        std::strcmp(folder + length - (sizeof suffix - 1), suffix) != 0)
        std::abort();
    return 0;
}
