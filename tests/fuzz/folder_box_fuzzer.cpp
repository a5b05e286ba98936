// Whatever is typed into the folder box: each program group item built from it
// reads back as one AddItem command naming its file in that folder.
#include "app/installer_state.h"
#include "engine/group_commands.h"
#include "engine/install_manifest.h"
#include "tools/progman/progman_commands.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The box holds at most 259 characters; the installer adds the final backslash.
std::string FolderFromBox(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    text = text.substr(0, PATH_TEXT_SIZE - 2);
    if (text.empty() || text.back() != '\\') text += '\\';
    return text;
}

// A name holding one of these cannot be made, so its copies fail and no group is sent.
bool NameableFolder(const std::string& folder) {
    for (size_t i = 0; i < folder.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(folder[i]);
        if (c < 32 || std::strchr("<>\"|?*", c) || (c == ':' && i != 1)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string folder = FolderFromBox(data, size);
    if (!NameableFolder(folder)) return 0;
    installerState = InstallerState{};
    std::memcpy(installerState.destFolder, folder.c_str(), folder.size() + 1);
    ComposeGroupCommands(InstallManifest, MANIFEST_ROWS, 1);

    // The fixed commands do not depend on the folder; the items must stay one command each.
    for (int i = 0; i < installerState.groupCommandCount; ++i) {
        const char* text = installerState.groupCommands[i];
        if (std::strncmp(text, "[AddItem(", 9) != 0) continue;
        std::vector<ProgmanCommand> commands;
        if (!ParseProgmanCommands(text, &commands) || commands.size() != 1 || commands[0].args.size() != 4)
            std::abort();
        bool named = false;
        for (const ManifestEntry& row : InstallManifest)
            named = named || (commands[0].args[0] == folder + row.fileName && commands[0].args[1] == row.description);
        if (!named) std::abort();
    }
    return 0;
}
