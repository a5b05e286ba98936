// A fresh, headless machine for each test, with its own prefix (and so its
// own meeting folder for processes), and children stopped at the end.
#pragma once

#include "platform/kernel32/profile.h"
#include "unit/ipc/child_processes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class IpcTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = layer::CurrentProfile();
        char folder[] = "/tmp/t98-ipc-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        prefix_ = folder;
        layer::Profile profile = saved_;
        profile.prefix = prefix_;
        profile.display = "headless";
        profile.faults.clear();
        layer::SetProfile(profile);
    }

    void TearDown() override {
        children_.StopAll();
        layer::SetProfile(saved_);
        std::filesystem::remove_all(prefix_);
    }

    std::string prefix_;
    testing_ipc::ChildProcesses children_;

private:
    layer::Profile saved_;
};
