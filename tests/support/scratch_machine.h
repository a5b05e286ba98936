// A machine of one test's own: an empty prefix made fresh under /tmp, on a headless screen. The
// profile the test found comes back, and the prefix goes, at Restore().
#pragma once

#include "platform/kernel32/profile.h"

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchMachine {
public:
    // Makes the prefix "/tmp/t98-<tag>-XXXXXX" and returns the profile in force pointed at it and
    // headless, for the test to adjust and apply. prefix() stays empty when no folder could be made.
    layer::Profile Prepare(const std::string& tag) {
        saved_ = layer::CurrentProfile();
        prepared_ = true;
        std::string pattern = "/tmp/t98-" + tag + "-XXXXXX";
        if (mkdtemp(&pattern[0])) prefix_ = pattern;
        layer::Profile profile = saved_;
        profile.prefix = prefix_;
        profile.display = "headless";
        return profile;
    }

    void Restore() {
        if (!prepared_) return;
        layer::SetProfile(saved_);
        if (!prefix_.empty()) std::filesystem::remove_all(prefix_);
        prefix_.clear();
        prepared_ = false;
    }

    const std::string& prefix() const { return prefix_; }

private:
    layer::Profile saved_;
    std::string prefix_;
    bool prepared_ = false;
};
