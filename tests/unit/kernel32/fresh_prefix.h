// A fixture that points the machine profile at an empty temporary prefix and
// starts each test in its drive_c, so every test sees a fresh machine.
#pragma once

#include "platform/kernel32/profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

class FreshPrefix : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/t98-unit-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        prefix_ = folder;
        savedProfile_ = layer::CurrentProfile();
        char current[PATH_MAX];
        ASSERT_NE(getcwd(current, sizeof current), nullptr);
        savedDirectory_ = current;
        layer::Profile profile;
        profile.prefix = prefix_;
        profile.timeScale = 0;
        layer::SetProfile(profile);
        std::filesystem::create_directories(DriveC());
        ASSERT_EQ(chdir(DriveC().c_str()), 0);
    }

    void TearDown() override {
        EXPECT_EQ(chdir(savedDirectory_.c_str()), 0);
        layer::SetProfile(savedProfile_);
        std::filesystem::remove_all(prefix_);
    }

    std::string DriveC() const { return prefix_ + "/drive_c"; }
    // A host path below drive_c, given with forward slashes.
    std::string Host(const std::string& below) const { return DriveC() + "/" + below; }

    static void WriteHostFile(const std::string& path, const std::string& contents) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

    static std::string ReadHostFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string prefix_;

private:
    layer::Profile savedProfile_;
    std::string savedDirectory_;
};
