// What a finished run is checked against: the installed files, the registry
// export and the product's group.
#pragma once

#include "scenarios/installer_run.h"

#include <string>

// The export's lines below one key header, up to the next header.
std::string KeySection(const std::string& exported, const std::string& key);
// The registry line name="data" as REGEDIT4 writes it (backslashes doubled).
std::string RegLine(const std::string& name, const std::string& data);
// True when the export holds any of the product's registration.
bool HoldsRegistration(const std::string& exported);

// Every manifest file at the destination (a folder below drive_c), the same as its source, and the two empty folders.
void ExpectProductAt(const InstallerRun& run, const std::string& destination);
// The seven registry values for a destination folder text ending in a backslash.
void ExpectRegisteredFor(const std::string& exported, const std::string& destFolder);
