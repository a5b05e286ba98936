// The Program Manager commands that rebuild the product's group, composed
// into the installer state's command slots before any of them is sent.
#pragma once

#include "engine/install_manifest.h"

// Fills groupCommands and groupCommandCount from the rows of a manifest.
void ComposeGroupCommands(const ManifestEntry* manifest, int rows, int startupItem);
