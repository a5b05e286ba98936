// The .res reader over arbitrary bytes: every record it returns lies inside the
// image, and looking records up by what they were found under finds them.
#include "platform/kernel32/resource_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* image = reinterpret_cast<const char*>(data);
    std::vector<layer::ResourceEntry> entries = layer::ParseResourceFile(image, size);
    for (const layer::ResourceEntry& entry : entries) {
        if (entry.data < image || entry.data > image + size || entry.size > size_t(image + size - entry.data))
            std::abort();
        size_t index = entries.size();
        if (layer::FindResourceEntry(entries, entry.type, entry.name, &index) != layer::ResourceLookup::Found ||
            index >= entries.size())
            std::abort();
    }
    return 0;
}
