#include "platform/ipc/published_entries.h"

#include "platform/common/atomic_file.h"
#include "platform/ipc/runtime_folder.h"

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace layer {
namespace {

std::string KindFolder(const char* kind) {
    const std::string& base = PrefixRuntimeFolder();
    if (base.empty()) return "";
    std::string folder = base + "/" + kind;
    mkdir(folder.c_str(), 0700);
    return folder;
}

bool IsPlainKey(const std::string& key) {
    if (key.empty()) return false;
    for (unsigned char c : key)
        if (!isalnum(c) && c != '-' && c != '_') return false;
    return true;
}

std::string FileNameFor(pid_t pid, const std::string& key) { return std::to_string(pid) + "." + key; }

bool IsTemporary(const std::string& name) {
    const size_t suffix = sizeof kAtomicWriteSuffix - 1;
    return name.size() > suffix && name.compare(name.size() - suffix, suffix, kAtomicWriteSuffix) == 0;
}

// Fields are one per line, so a newline inside one is replaced.
std::string Flatten(const std::string& field) {
    std::string line = field;
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

}  // namespace

unsigned long long ProcessStartTime(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold blanks; fields are counted after its closing one.
    size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream rest(text.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22 && (rest >> field); ++index)
        if (index == 22) return std::stoull(field);
    return 0;
}

bool PublishEntry(const char* kind, const std::string& key, const std::vector<std::string>& fields) {
    std::string folder = KindFolder(kind);
    if (folder.empty() || !IsPlainKey(key)) return false;
    pid_t pid = getpid();
    std::string text = std::to_string(ProcessStartTime(pid)) + "\n";
    for (const std::string& field : fields) text += Flatten(field) + "\n";
    return WriteFileAtomically(folder + "/" + FileNameFor(pid, key), text, 0600);
}

void WithdrawEntry(const char* kind, const std::string& key) {
    std::string folder = KindFolder(kind);
    if (!folder.empty() && IsPlainKey(key)) unlink((folder + "/" + FileNameFor(getpid(), key)).c_str());
}

std::vector<PublishedEntry> ListEntries(const char* kind) {
    std::vector<PublishedEntry> entries;
    std::string folder = KindFolder(kind);
    if (folder.empty()) return entries;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return entries;
    while (dirent* item = readdir(dir)) {
        std::string name = item->d_name;
        size_t dot = name.find('.');
        if (dot == std::string::npos || dot == 0 || IsTemporary(name)) continue;
        std::string path = folder + "/" + name;
        PublishedEntry entry;
        entry.pid = static_cast<pid_t>(atol(name.substr(0, dot).c_str()));
        entry.key = name.substr(dot + 1);
        std::ifstream file(path);
        std::string line;
        if (!std::getline(file, line)) continue;
        unsigned long long started = strtoull(line.c_str(), nullptr, 10);
        if (entry.pid <= 0 || started == 0 || ProcessStartTime(entry.pid) != started) {
            unlink(path.c_str());  // its process is gone
            continue;
        }
        while (std::getline(file, line)) entry.fields.push_back(line);
        entries.push_back(std::move(entry));
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const PublishedEntry& a, const PublishedEntry& b) {
        return a.pid != b.pid ? a.pid < b.pid : a.key < b.key;
    });
    return entries;
}

}  // namespace layer
