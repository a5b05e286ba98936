// regexport [KEY]: prints the registry of the prefix, or one key and everything
// below it, as REGEDIT4 text.
#include "platform/advapi32/registry_export.h"
#include "platform/advapi32/registry_root_names.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: regexport [HKEY_...\\key]\n");
        return 2;
    }
    if (argc == 1) {
        std::fputs(layer::ExportHive().c_str(), stdout);
        return 0;
    }
    HKEY root;
    std::string below;
    if (!layer::SplitRegistryPath(argv[1], &root, &below)) {
        std::fprintf(stderr, "regexport: %s does not start with a root key name\n", argv[1]);
        return 2;
    }
    std::string shown = layer::PredefinedKeyName(root) + (below.empty() ? "" : "\\" + below);
    std::string text = "REGEDIT4\n\n";
    LONG result = layer::ExportRegistryKey(root, below, shown, &text);
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "regexport: cannot open %s (error %ld)\n", argv[1], static_cast<long>(result));
        return 1;
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}
