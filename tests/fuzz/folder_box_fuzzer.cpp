// Whatever is typed into the folder box: the program group commands built from
// it read back as the commands meant, each item naming its file in that folder.
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

    for (int i = 0; i < installerState.groupCommandCount; ++i) {
        std::vector<ProgmanCommand> commands;
        if (!ParseProgmanCommands(installerState.groupCommands[i], &commands) || commands.size() != 1) std::abort();
        const ProgmanCommand& command = commands[0];
        if (command.name != "AddItem") continue;
        bool named = false;
        for (const ManifestEntry& row : InstallManifest)
            named = named || (command.args.size() == 4 && command.args[0] == folder + row.fileName &&
                              command.args[1] == row.description);
        if (!named) std::abort();
    }
    return 0;
}
