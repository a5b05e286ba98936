// Reading the installer's resources as the build produced them: the compiled
// resource file carried in the test program, and the bitmap and icon files in res/.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" const unsigned char layer_module_resources_begin[];
extern "C" const unsigned char layer_module_resources_end[];

using Bytes = std::vector<uint8_t>;

inline uint16_t Word(const Bytes& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }
inline uint32_t Dword(const Bytes& b, size_t at) { return Word(b, at) | static_cast<uint32_t>(Word(b, at + 2)) << 16; }
inline int32_t Long(const Bytes& b, size_t at) { return static_cast<int32_t>(Dword(b, at)); }

// A name or ordinal as resource files store it: 0xFFFF and a number, or a NUL-ended UTF-16 string.
// Ordinals read as "#<number>"; *at moves past the field.
inline std::string NameOrOrdinal(const Bytes& b, size_t* at) {
    if (Word(b, *at) == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(Word(b, *at + 2));
        *at += 4;
        return ordinal;
    }
    std::string text;
    for (uint16_t c; (c = Word(b, *at)) != 0; *at += 2) text += static_cast<char>(c);
    *at += 2;
    return text;
}

struct Resource {
    std::string type, name;  // RT_* types as ordinals: "#2" bitmap, "#5" dialog, "#14" icon group
    Bytes data;
};

inline std::vector<Resource> CompiledResources() {
    const Bytes file(layer_module_resources_begin, layer_module_resources_end);
    std::vector<Resource> result;
    for (size_t at = 0; at + 8 <= file.size();) {
        const uint32_t dataSize = Dword(file, at), headerSize = Dword(file, at + 4);
        size_t field = at + 8;
        Resource resource;
        resource.type = NameOrOrdinal(file, &field);
        resource.name = NameOrOrdinal(file, &field);
        resource.data.assign(file.begin() + at + headerSize, file.begin() + at + headerSize + dataSize);
        if (dataSize > 0) result.push_back(std::move(resource));
        at = (at + headerSize + dataSize + 3) & ~size_t{3};
    }
    return result;
}

inline const Resource* FindResource(const std::vector<Resource>& all, const std::string& type, const std::string& name) {
    for (const Resource& r : all)
        if (r.type == type && r.name == name) return &r;
    return nullptr;
}

inline std::filesystem::path ResFolder() {
    return std::filesystem::path(__FILE__).parent_path() / ".." / ".." / ".." / "res";
}

inline Bytes ReadResFile(const std::string& name) {
    std::ifstream in(ResFolder() / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}
