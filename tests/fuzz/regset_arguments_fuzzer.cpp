// regset's KEY, TYPE and DATA arguments: a key path splits into a root that
// has a name, and binary data takes exactly one byte per pair of hex digits.
#include "platform/advapi32/registry_root_names.h"
#include "tests/fuzz/fuzz_fields.h"
#include "tools/regset/registry_value_data.h"

#include <cctype>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    std::string keyPath = fields.Text();
    std::string type = fields.Text();
    std::string valueData = fields.Text();

    HKEY root = nullptr;
    std::string below;
    if (layer::SplitRegistryPath(keyPath, &root, &below) && !layer::PredefinedKeyName(root)) std::abort();

    DWORD code = 0;
    std::vector<BYTE> bytes;
    if (!EncodeValueData(type, valueData.c_str(), &code, &bytes)) return 0;
    if (code == REG_BINARY) {
        size_t digits = 0;
        for (char c : valueData) {
            if (c == ',' || c == ' ') continue;
            if (!std::isxdigit(static_cast<unsigned char>(c))) std::abort();
            ++digits;
        }
        if (digits != 2 * bytes.size()) std::abort();
    }
    if (code == REG_DWORD && bytes.size() != 4) std::abort();
    return 0;
}
