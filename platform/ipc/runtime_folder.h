// The per-user folder where processes of one prefix meet: their sockets and
// the directories of what they publish. Private to the user (mode 0700).
#pragma once

#include <string>

namespace layer {

// <runtime>/<hash of the prefix path>, created on first use; "" when the
// runtime folder is missing, not ours, or open to group or others.
const std::string& PrefixRuntimeFolder();
// Forgets the folder so the next call re-reads the profile (tests switch prefixes).
void ResetPrefixRuntimeFolder();

}  // namespace layer
