// The compiled resource file (.res): a sequence of DWORD-aligned records, each a
// header naming the type and the name (0xFFFF and an ordinal, or a UTF-16 text)
// followed by the resource's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace layer {

// A type or a name: an ordinal, or a text folded to upper case for matching.
struct ResourceId {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::string text;
};

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    const char* data = nullptr;
    uint32_t size = 0;
};

// The records of a .res image; parsing stops at the first malformed record.
std::vector<ResourceEntry> ParseResourceFile(const char* data, size_t size);

// The id a program asks for: MAKEINTRESOURCE ordinals, "#123", or a name in any case.
ResourceId ResourceIdFromArgument(const char* argument);

enum class ResourceLookup { Found, TypeNotFound, NameNotFound };
ResourceLookup FindResourceEntry(const std::vector<ResourceEntry>& entries, const ResourceId& type,
                                 const ResourceId& name, size_t* index);

}  // namespace layer
