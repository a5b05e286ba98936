#include "platform/kernel32/resource_file.h"

#include <cstdlib>
#include <cstring>

namespace layer {
namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

uint32_t ReadDword(const char* p) {
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

uint16_t ReadWord(const char* p) {
    uint16_t value;
    std::memcpy(&value, p, 2);
    return value;
}

// Reads a type or name field at *offset inside [0, end); false when it runs past.
bool ReadId(const char* base, size_t end, size_t* offset, ResourceId* id) {
    if (*offset + 2 > end) return false;
    if (ReadWord(base + *offset) == 0xFFFF) {
        if (*offset + 4 > end) return false;
        id->isOrdinal = true;
        id->ordinal = ReadWord(base + *offset + 2);
        *offset += 4;
        return true;
    }
    for (;;) {
        if (*offset + 2 > end) return false;
        uint16_t unit = ReadWord(base + *offset);
        *offset += 2;
        if (unit == 0) return true;
        // Names are ASCII in practice; other characters keep their low byte and never fold.
        id->text += UpperAscii(static_cast<char>(unit < 0x100 ? unit : '?'));
    }
}

bool SameId(const ResourceId& a, const ResourceId& b) {
    return a.isOrdinal == b.isOrdinal && (a.isOrdinal ? a.ordinal == b.ordinal : a.text == b.text);
}

size_t AlignDword(size_t offset) { return (offset + 3) & ~size_t(3); }

}  // namespace

std::vector<ResourceEntry> ParseResourceFile(const char* data, size_t size) {
    std::vector<ResourceEntry> entries;
    size_t offset = 0;
    // Each record: data size, header size, type, name, then 16 more header bytes.
    while (data && offset + 8 <= size) {
        uint32_t dataSize = ReadDword(data + offset);
        uint32_t headerSize = ReadDword(data + offset + 4);
        if (headerSize < 8 + 4 + 4 + 16 || headerSize > size - offset || dataSize > size - offset - headerSize) break;
        size_t field = offset + 8;
        size_t headerEnd = offset + headerSize;
        ResourceEntry entry;
        if (!ReadId(data, headerEnd, &field, &entry.type) || !ReadId(data, headerEnd, &field, &entry.name)) break;
        entry.data = data + headerEnd;
        entry.size = dataSize;
        // The leading empty record (type 0) marks a 32-bit .res and holds nothing.
        if (!(entry.type.isOrdinal && entry.type.ordinal == 0)) entries.push_back(entry);
        offset = AlignDword(headerEnd + dataSize);
    }
    return entries;
}

ResourceId ResourceIdFromArgument(const char* argument) {
    ResourceId id;
    uintptr_t value = reinterpret_cast<uintptr_t>(argument);
    if ((value >> 16) == 0) {
        id.isOrdinal = true;
        id.ordinal = static_cast<uint16_t>(value);
        return id;
    }
    if (argument[0] == '#') {
        char* end = nullptr;
        unsigned long number = std::strtoul(argument + 1, &end, 10);
        if (end != argument + 1 && *end == '\0' && number <= 0xFFFF) {
            id.isOrdinal = true;
            id.ordinal = static_cast<uint16_t>(number);
            return id;
        }
    }
    for (const char* p = argument; *p; ++p) id.text += UpperAscii(*p);
    return id;
}

ResourceLookup FindResourceEntry(const std::vector<ResourceEntry>& entries, const ResourceId& type,
                                 const ResourceId& name, size_t* index) {
    bool typeSeen = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!SameId(entries[i].type, type)) continue;
        typeSeen = true;
        if (SameId(entries[i].name, name)) {
            *index = i;
            return ResourceLookup::Found;
        }
    }
    return typeSeen ? ResourceLookup::NameNotFound : ResourceLookup::TypeNotFound;
}

}  // namespace layer
