// Small records that a process publishes for others of the same prefix
// (its top-level windows, its DDE services). One file per record, written
// atomically; a record whose process has ended is ignored and swept away.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace layer {

struct PublishedEntry {
    pid_t pid = 0;
    std::string key;                // unique within the publishing process: letters, digits, - and _
    std::vector<std::string> fields;
};

// kind names the directory ("windows", "services"). False when the runtime folder is unusable.
bool PublishEntry(const char* kind, const std::string& key, const std::vector<std::string>& fields);
void WithdrawEntry(const char* kind, const std::string& key);
// Every record of a live process, in a stable order (pid, then key).
std::vector<PublishedEntry> ListEntries(const char* kind);
// The process's start time, telling a live process from a later one with a reused pid; 0 when gone.
unsigned long long ProcessStartTime(pid_t pid);

}  // namespace layer
