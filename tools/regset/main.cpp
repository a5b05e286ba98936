// regset KEY NAME TYPE DATA: sets one value in the registry of the prefix,
// making the key when it is missing. NAME "" is the key's default value.
//   regset "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion" ProgramFilesDir REG_SZ "D:\Apps"
#include "platform/advapi32/registry_root_names.h"
#include "platform/win32.h"
#include "tools/regset/registry_value_data.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: regset KEY NAME REG_SZ|REG_EXPAND_SZ|REG_DWORD|REG_BINARY DATA\n");
        return 2;
    }
    HKEY root;
    std::string below;
    DWORD type;
    std::vector<BYTE> bytes;
    if (!layer::SplitRegistryPath(argv[1], &root, &below)) {
        std::fprintf(stderr, "regset: %s does not start with a root key name\n", argv[1]);
        return 2;
    }
    if (!EncodeValueData(argv[3], argv[4], &type, &bytes)) {
        std::fprintf(stderr, "regset: \"%s\" is not data of type %s\n", argv[4], argv[3]);
        return 2;
    }
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(root, below.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, argv[2], 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "regset: cannot set %s in %s (error %ld)\n", argv[2], argv[1], static_cast<long>(result));
        return 1;
    }
    return 0;
}
