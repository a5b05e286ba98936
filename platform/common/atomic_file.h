// Replacing a host file whole: a reader sees the old text or the new one, never a part.
#pragma once

#include <sys/types.h>

#include <string>

namespace layer {

// What the temporary file beside the target is named with until it is renamed over it.
constexpr char kAtomicWriteSuffix[] = ".tmp";

// Writes text to path + kAtomicWriteSuffix (never through a symbolic link) and renames it over path;
// on failure the temporary is removed and path is left as it was.
bool WriteFileAtomically(const std::string& path, const std::string& text, mode_t mode);

}  // namespace layer
