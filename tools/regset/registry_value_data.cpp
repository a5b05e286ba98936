#include "tools/regset/registry_value_data.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

bool EncodeValueData(const std::string& type, const char* data, DWORD* code, std::vector<BYTE>* bytes) {
    if (type == "REG_SZ" || type == "REG_EXPAND_SZ") {
        *code = type == "REG_SZ" ? REG_SZ : REG_EXPAND_SZ;
        bytes->assign(data, data + std::strlen(data) + 1);
        return true;
    }
    if (type == "REG_DWORD") {
        char* end = nullptr;
        errno = 0;
        unsigned long long number = std::strtoull(data, &end, 0);
        if (!*data || *end || errno || number > 0xFFFFFFFFull) return false;
        *code = REG_DWORD;
        for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<BYTE>(number >> (8 * i)));
        return true;
    }
    if (type == "REG_BINARY") {
        *code = REG_BINARY;
        std::string digits;
        for (const char* p = data; *p; ++p)
            if (*p != ',' && *p != ' ') digits += *p;
        if (digits.size() % 2) return false;
        for (size_t i = 0; i < digits.size(); i += 2) {
            // Digit by digit: strtoul would also take a sign, reading "-1" as ff.
            int high = HexDigit(digits[i]), low = HexDigit(digits[i + 1]);
            if (high < 0 || low < 0) return false;
            bytes->push_back(static_cast<BYTE>(high * 16 + low));
        }
        return true;
    }
    return false;
}
