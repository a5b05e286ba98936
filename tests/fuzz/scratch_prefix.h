// Points the machine profile at a prefix of this fuzzer process's own, made on
// first use and removed at exit, so runs in parallel never share a hive. In
// memory where the system offers it: every input writes the hive.
#pragma once

#include "platform/kernel32/profile.h"

#include <cstdlib>
#include <filesystem>
#include <string>

inline void UseScratchPrefix() {
    static std::string prefix;
    if (!prefix.empty()) return;
    std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/t98-fuzz-XXXXXX" : "/tmp/t98-fuzz-XXXXXX";
    if (!mkdtemp(folder.data())) std::abort();
    prefix = folder;
    layer::Profile profile;
    profile.prefix = prefix;
    profile.display = "headless";
    profile.timeScale = 0;
    layer::SetProfile(profile);
    std::atexit([] { std::filesystem::remove_all(prefix); });
}
