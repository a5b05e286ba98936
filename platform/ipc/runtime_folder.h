// The per-user folder where processes of one prefix meet: their sockets and
// the directories of what they publish. Private to the user (mode 0700).
#pragma once

#include <string>

namespace layer {

// <runtime>/<hash of the prefix path> for the profile's prefix, created on first
// use; "" when the runtime folder is not ours or is open to group or others.
const std::string& PrefixRuntimeFolder();

}  // namespace layer
