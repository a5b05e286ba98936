// The built-in table of what the installer places, in placing order.
#pragma once

#define JUST_DIR_MARKER "<JUST DIR>"
#define SYS_FOLDER_MARKER "<SYS>"

struct ManifestEntry {
    const char* fileName;     // same name in the source and at the target, or JUST_DIR_MARKER
    int overwrite;            // non-zero: an existing target is replaced
    int addToGroup;           // non-zero: the program group gets an item for it
    const char* subFolder;    // "" , a folder below the destination, or SYS_FOLDER_MARKER
    const char* description;  // progress caption and program-group caption
};

enum { MANIFEST_ROWS = 15 };

extern const ManifestEntry InstallManifest[MANIFEST_ROWS];
