// Splits a fuzzer's bytes into NUL-separated text fields, the shape C strings
// and command lines take; the last field keeps whatever bytes are left.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzFields {
public:
    FuzzFields(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    // The next field up to a NUL (or the end).
    std::string Text() {
        const void* nul = std::memchr(data_ + offset_, '\0', size_ - offset_);
        size_t end = nul ? static_cast<size_t>(static_cast<const char*>(nul) - data_) : size_;
        std::string text(data_ + offset_, end - offset_);
        offset_ = nul ? end + 1 : size_;
        return text;
    }

    // One byte, or 0 past the end.
    uint8_t Byte() { return offset_ < size_ ? static_cast<uint8_t>(data_[offset_++]) : 0; }

    // All bytes not read yet, NULs included.
    std::string Rest() {
        std::string rest(data_ + offset_, size_ - offset_);
        offset_ = size_;
        return rest;
    }

private:
    const char* data_;
    size_t size_;
    size_t offset_ = 0;
};
