#include "platform/shell32/file_association.h"

#include "platform/win32.h"

#include <cstring>

namespace layer {
namespace {

std::string DefaultValue(const std::string& keyPath) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
    char value[1024];
    DWORD size = sizeof value;
    DWORD type = 0;
    LSTATUS status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return "";
    return std::string(value, strnlen(value, size));
}

}  // namespace

std::string RegisteredOpenCommand(const std::string& extension) {
    if (extension.empty()) return "";
    std::string type = DefaultValue(extension);
    return type.empty() ? "" : DefaultValue(type + "\\shell\\open\\command");
}

std::string ExpandOpenCommand(const std::string& command, const std::string& document, const std::string& parameters) {
    std::string expanded;
    bool documentPlaced = false;
    for (size_t i = 0; i < command.size(); ++i) {
        char next = i + 1 < command.size() ? command[i + 1] : '\0';
        if (command[i] == '%' && (next == '1' || next == 'L' || next == 'l')) {
            expanded += document;
            documentPlaced = true;
            ++i;
        } else if (command[i] == '%' && next == '*') {
            expanded += parameters;
            ++i;
        } else {
            expanded += command[i];
        }
    }
    // A command without %1 still gets the document, as the shell appends it.
    if (!documentPlaced) expanded += " \"" + document + "\"";
    return expanded;
}

}  // namespace layer
