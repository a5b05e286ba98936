// The screen as the display last wrote it: $T98_SNAPSHOTS/screen.png, replaced
// atomically on every change.
#pragma once

#include <string>

// The current screen file's bytes; false when there is none (yet).
bool ReadScreenFile(std::string* bytes);
bool WriteWholeFile(const char* path, const std::string& bytes);
