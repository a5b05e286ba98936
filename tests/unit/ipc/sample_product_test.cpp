#include "engine/install_manifest.h"
#include "unit/ipc/child_processes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

TEST(SampleProduct, HoldsEveryFileTheManifestNamesAndTheInstaller) {
    fs::path folder = testing_ipc::BuildDir() + "/sample-product";
    int files = 0;
    for (const ManifestEntry& row : InstallManifest) {
        if (strcmp(row.fileName, JUST_DIR_MARKER) == 0) continue;
        ++files;
        EXPECT_TRUE(fs::is_regular_file(folder / row.fileName)) << row.fileName;  // "Quadrel II.dll" with its blank
        EXPECT_GT(fs::file_size(folder / row.fileName), 0u) << row.fileName;
    }
    EXPECT_EQ(files, 13);
    EXPECT_TRUE(fs::is_regular_file(folder / "setup"));
}
