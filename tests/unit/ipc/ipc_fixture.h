// A fresh, headless machine for each test, with its own prefix (and so its
// own meeting folder for processes), and children stopped at the end.
#pragma once

#include "platform/kernel32/profile.h"
#include "support/scratch_machine.h"
#include "unit/ipc/child_processes.h"

#include <gtest/gtest.h>

#include <string>

class IpcTest : public ::testing::Test {
protected:
    void SetUp() override {
        layer::Profile profile = machine_.Prepare("ipc");
        ASSERT_FALSE(machine_.prefix().empty());
        prefix_ = machine_.prefix();
        profile.faults.clear();
        layer::SetProfile(profile);
    }

    void TearDown() override {
        children_.StopAll();
        machine_.Restore();
    }

    std::string prefix_;
    testing_ipc::ChildProcesses children_;

private:
    ScratchMachine machine_;
};
