// Fixed-width fields of requests and answers. A reader never reads past its
// text: a short or malformed record makes ok() false and yields zeros.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace layer {

class WireWriter {
public:
    WireWriter& U64(uint64_t value) { return Raw(&value, sizeof value); }
    WireWriter& U32(uint32_t value) { return Raw(&value, sizeof value); }
    // A length-prefixed byte string.
    WireWriter& Bytes(const std::string& bytes) {
        U32(static_cast<uint32_t>(bytes.size()));
        text_ += bytes;
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    WireWriter& Raw(const void* data, size_t size) {
        text_.append(static_cast<const char*>(data), size);
        return *this;
    }
    std::string text_;
};

class WireReader {
public:
    explicit WireReader(const std::string& text) : text_(text) {}
    uint64_t U64() { return Raw<uint64_t>(); }
    uint32_t U32() { return Raw<uint32_t>(); }
    std::string Bytes() {
        uint32_t size = U32();
        if (!ok_ || size > text_.size() - offset_) {
            ok_ = false;
            return std::string();
        }
        std::string bytes = text_.substr(offset_, size);
        offset_ += size;
        return bytes;
    }
    bool ok() const { return ok_; }

private:
    template <typename T>
    T Raw() {
        T value = 0;
        if (!ok_ || sizeof value > text_.size() - offset_) {
            ok_ = false;
            return 0;
        }
        memcpy(&value, text_.data() + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }
    const std::string& text_;
    size_t offset_ = 0;
    bool ok_ = true;
};

}  // namespace layer
