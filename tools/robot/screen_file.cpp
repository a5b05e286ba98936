#include "tools/robot/screen_file.h"

#include <cstdio>
#include <cstdlib>

bool ReadScreenFile(std::string* bytes) {
    const char* folder = std::getenv("T98_SNAPSHOTS");
    if (!folder || !*folder) return false;
    std::string path = std::string(folder) + "/screen.png";
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    bytes->clear();
    char buffer[65536];
    size_t length;
    while ((length = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes->append(buffer, length);
    bool whole = !std::ferror(in);
    std::fclose(in);
    return whole && !bytes->empty();
}

bool WriteWholeFile(const char* path, const std::string& bytes) {
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}
