#include "platform/advapi32/registry_export.h"
#include "platform/advapi32/registry_root_names.h"

#include <cstdio>
#include <vector>

namespace layer {
namespace {

constexpr DWORD kMaxName = 16384;

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Hex(const std::vector<BYTE>& data) {
    std::string text;
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
        text += byte;
    }
    return text;
}

std::string FormatData(DWORD type, const std::vector<BYTE>& data) {
    if (type == REG_SZ) {
        std::string text(data.begin(), data.end());
        return Quoted(text.substr(0, text.find('\0')));
    }
    if (type == REG_DWORD && data.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x",
                      data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24));
        return number;
    }
    if (type == REG_BINARY) return "hex:" + Hex(data);
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    return prefix + Hex(data);
}

void ExportValues(HKEY key, std::string* text) {
    std::vector<char> name(kMaxName);
    std::vector<BYTE> data;
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = kMaxName, type = 0, dataSize = 0;
        if (RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
            break;
        data.resize(dataSize);
        nameSize = kMaxName;
        if (RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            break;
        data.resize(dataSize);
        std::string shown = nameSize ? Quoted(std::string(name.data(), nameSize)) : "@";
        *text += shown + "=" + FormatData(type, data) + "\n";
    }
}

}  // namespace

LONG ExportRegistryKey(HKEY root, const std::string& below, const std::string& shownName, std::string* text) {
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(root, below.c_str(), 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS) return result;
    *text += "[" + shownName + "]\n";
    ExportValues(key, text);
    *text += "\n";
    char child[256];
    for (DWORD index = 0;; ++index) {
        DWORD childSize = sizeof child;
        if (RegEnumKeyExA(key, index, child, &childSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::string path = below.empty() ? child : below + "\\" + child;
        ExportRegistryKey(root, path, shownName + "\\" + child, text);
    }
    RegCloseKey(key);
    return ERROR_SUCCESS;
}

std::string ExportHive() {
    std::string text = "REGEDIT4\n\n";
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS})
        ExportRegistryKey(root, "", PredefinedKeyName(root), &text);
    return text;
}

}  // namespace layer
