#include "platform/win32.h"
#include "unit/kernel32/fresh_prefix.h"

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class RegistryProcessesTest : public FreshPrefix {};

// Each writer makes its own keys and also rewrites one shared value; none of
// the writes may be lost or fail while the other process holds the hive.
void WriteMany(int writer, int count) {
    for (int i = 0; i < count; ++i) {
        std::string path = "Software\\Writer" + std::to_string(writer) + "\\Key" + std::to_string(i);
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            _exit(1);
        DWORD value = static_cast<DWORD>(i);
        LONG own = RegSetValueExA(key, "Index", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof value);
        LONG shared = RegSetValueExA(HKEY_LOCAL_MACHINE, "Last", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value),
                                     sizeof value);
        RegCloseKey(key);
        if (own != ERROR_SUCCESS || shared != ERROR_SUCCESS) _exit(2);
    }
}

TEST_F(RegistryProcessesTest, TwoProcessesWritingAtOnceLoseNothing) {
    const int kCount = 150;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            WriteMany(w, kCount);
            _exit(0);
        }
    }
    for (pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
    }
    for (int w = 0; w < 2; ++w) {
        HKEY parent = nullptr;
        std::string path = "Software\\Writer" + std::to_string(w);
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &parent), ERROR_SUCCESS);
        int keys = 0;
        char name[64];
        for (DWORD size = sizeof name; RegEnumKeyExA(parent, keys, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                       ERROR_SUCCESS;
             size = sizeof name)
            ++keys;
        EXPECT_EQ(keys, kCount);
        RegCloseKey(parent);
    }
}

// Two programs started at once on a new prefix both make its hive; neither may be
// refused while the other is setting it up. The window is short, hence the rounds.
TEST_F(RegistryProcessesTest, TwoProcessesMakingOneFreshHiveBothOpenIt) {
    for (int round = 0; round < 60; ++round) {
        layer::Profile profile = layer::CurrentProfile();
        profile.prefix = prefix_ + "/round" + std::to_string(round);
        layer::SetProfile(profile);
        pid_t openers[2];
        for (pid_t& opener : openers) {
            opener = fork();
            ASSERT_GE(opener, 0);
            if (opener == 0) {
                HKEY key = nullptr;
                _exit(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vintrel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                      &key, nullptr) == ERROR_SUCCESS
                          ? 0
                          : 1);
            }
        }
        for (pid_t opener : openers) {
            int status = 0;
            ASSERT_EQ(waitpid(opener, &status, 0), opener);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
    }
}

}  // namespace
