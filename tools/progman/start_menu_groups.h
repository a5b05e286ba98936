// Program groups kept as folders of the prefix's Start Menu, one readable
// shortcut file ("<caption>.lnk.txt") per item.
#pragma once

#include <string>

// <prefix>/drive_c/users/<user>/AppData/Roaming/Microsoft/Windows/Start Menu/Programs, made if absent.
std::string StartMenuProgramsFolder();

// A name that stays inside its folder: no separators, no "." or "..", no characters Windows forbids.
bool IsSafeEntryName(const std::string& name);
// The group's folder as found on disk (letter case ignored), or "".
std::string FindGroupFolder(const std::string& programs, const std::string& group);

bool MakeGroupFolder(const std::string& programs, const std::string& group);
bool RemoveGroupFolder(const std::string& folder);

struct ShortcutItem {
    std::string commandLine;
    std::string caption;
    std::string iconPath;
    std::string iconIndex;
};
bool WriteShortcut(const std::string& groupFolder, const ShortcutItem& item);
