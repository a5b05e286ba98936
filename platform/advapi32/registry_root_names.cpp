#include "platform/advapi32/registry_root_names.h"

#include <strings.h>

namespace layer {
namespace {

struct RootName {
    HKEY key;
    const char* name;
    const char* shortName;
};

const RootName kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
};

}  // namespace

HKEY PredefinedKeyFromName(const std::string& name) {
    for (const RootName& root : kRoots)
        if (strcasecmp(name.c_str(), root.name) == 0 || strcasecmp(name.c_str(), root.shortName) == 0) return root.key;
    return nullptr;
}

bool SplitRegistryPath(const std::string& path, HKEY* root, std::string* below) {
    size_t slash = path.find('\\');
    *root = PredefinedKeyFromName(path.substr(0, slash));
    if (!*root) return false;
    *below = slash == std::string::npos ? "" : path.substr(slash + 1);
    while (!below->empty() && below->back() == '\\') below->pop_back();
    return true;
}

const char* PredefinedKeyName(HKEY root) {
    for (const RootName& known : kRoots)
        if (known.key == root) return known.name;
    return nullptr;
}

}  // namespace layer
