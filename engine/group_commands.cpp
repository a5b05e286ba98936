#include "engine/group_commands.h"

#include "app/installer_state.h"

#include <cstring>
#include <initializer_list>

namespace {

const char* const kProductGroup = "Vintrel Tesmara 98";

// Appends the pieces as one command; a command that would not fit its slot is left out
// whole rather than cut short, since a cut command could name a wrong file or group.
void AppendCommand(std::initializer_list<const char*> pieces) {
    InstallerState& state = installerState;
    if (state.groupCommandCount >= GROUP_COMMAND_SLOTS) return;
    size_t length = 0;
    for (const char* piece : pieces) length += strlen(piece);
    if (length >= GROUP_COMMAND_SIZE) return;
    char* slot = state.groupCommands[state.groupCommandCount];
    memset(slot, 0, GROUP_COMMAND_SIZE);  // the whole slot is sent: nothing of an earlier list after the NUL
    for (const char* piece : pieces) strcat(slot, piece);
    ++state.groupCommandCount;
}

void AppendItem(const ManifestEntry& row) {
    AppendCommand({"[AddItem(\"", installerState.destFolder, row.fileName, "\",\"", row.description, "\",,0)]"});
}

}  // namespace

void ComposeGroupCommands(const ManifestEntry* manifest, int rows, int startupItem) {
    installerState.groupCommandCount = 0;
    AppendCommand({"[DeleteGroup(", kProductGroup, ")]"});
    AppendCommand({"[DeleteGroup(Trayledger)]"});
    AppendCommand({"[DeleteGroup(Vintrel Skyledger)]"});
    AppendCommand({"[CreateGroup(", kProductGroup, ")]"});
    AppendCommand({"[ShowGroup(", kProductGroup, "),2]"});
    for (int row = 0; row < rows; ++row)
        if (manifest[row].addToGroup) AppendItem(manifest[row]);
    if (startupItem) {
        AppendCommand({"[CreateGroup(StartUp)]"});
        AppendCommand({"[ShowGroup(StartUp),2]"});
        AppendItem(manifest[0]);
    }
}
