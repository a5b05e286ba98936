// The DATA argument of regset as the bytes a value of its TYPE stores.
#pragma once

#include "platform/win32.h"

#include <string>
#include <vector>

// REG_SZ and REG_EXPAND_SZ: the text and its NUL; REG_DWORD: a number up to
// 0xFFFFFFFF in C notation; REG_BINARY: hex byte pairs, commas and spaces
// between them ignored. False when DATA does not fit the type.
bool EncodeValueData(const std::string& type, const char* data, DWORD* code, std::vector<BYTE>* bytes);
