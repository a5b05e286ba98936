// An entry's folder and target paths from any destination, subfolder, file
// name and system folder: whole when both fit in 260 bytes, refused otherwise,
// and never written past their buffers.
#include "app/installer_state.h"
#include "engine/file_placement.h"
#include "engine/install_manifest.h"
#include "tests/fuzz/fuzz_fields.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    std::string dest = fields.Text(), sub = fields.Text(), file = fields.Text(), system = fields.Text();

    std::string folder, target;
    if (sub == SYS_FOLDER_MARKER) {
        folder = system + (!system.empty() && system.back() == '\\' ? "" : "\\");
        target = folder + file;
    } else {
        folder = dest + sub;
        target = folder + (sub.empty() ? "" : "\\") + file;
    }
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    bool fits = folder.size() < PATH_TEXT_SIZE && target.size() < PATH_TEXT_SIZE;

    char folderPath[COMPOSED_PATH_SIZE], targetPath[COMPOSED_PATH_SIZE];
    int composed = ComposeEntryPaths(dest.c_str(), system.c_str(), file.c_str(), sub.c_str(), folderPath, targetPath);
    if (composed != (fits ? 1 : 0)) std::abort();
    if (composed && (folder != folderPath || target != targetPath)) std::abort();
    if (strnlen(folderPath, sizeof folderPath) == sizeof folderPath ||
        strnlen(targetPath, sizeof targetPath) == sizeof targetPath)
        std::abort();
    return 0;
}
