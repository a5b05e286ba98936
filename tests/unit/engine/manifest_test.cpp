#include "engine/file_placement.h"
#include "engine/install_manifest.h"

#include "copying_fixture.h"

#include <cstring>

namespace {

bool IsFolderEntry(const ManifestEntry& entry) { return std::strcmp(entry.fileName, JUST_DIR_MARKER) == 0; }

std::string TargetOf(const ManifestEntry& entry) {
    std::string folder = std::string(kDest) + entry.subFolder;
    return entry.subFolder[0] ? folder + "\\" + entry.fileName : folder + entry.fileName;
}

}  // namespace

class ManifestTest : public CopyingTest {
protected:
    static void PlaceAll() {
        for (const ManifestEntry& entry : InstallManifest) {
            PlaceFile(nullptr, entry.fileName, entry.subFolder, entry.overwrite);
        }
    }
};

TEST_F(ManifestTest, GroupItemsAreTheFourProgramsInTheDestinationItself) {
    std::vector<std::string> grouped;
    for (const ManifestEntry& entry : InstallManifest) {
        if (!entry.addToGroup) continue;
        grouped.push_back(entry.fileName);
        EXPECT_STREQ(entry.subFolder, "");
    }
    EXPECT_EQ(grouped, (std::vector<std::string>{"Tesmara.exe", "Tesm.exe", "Tesmara.hlp", "Uninst.exe"}));
    for (const ManifestEntry& entry : InstallManifest) {
        // "Copying " and the description fit the 80-byte status text.
        EXPECT_LE(std::strlen("Copying ") + std::strlen(entry.description), 79u) << entry.description;
    }
}

TEST_F(ManifestTest, PlacingTheWholeTableBuildsTheProductTree) {
    for (const ManifestEntry& entry : InstallManifest) {
        if (!IsFolderEntry(entry)) PutFile(std::string(kSource) + entry.fileName, entry.description);
    }
    MakeFolders("C:\\Program Files");
    PlaceAll();

    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(installerState.installErrors, 0);
    for (const ManifestEntry& entry : InstallManifest) {
        if (IsFolderEntry(entry)) {
            EXPECT_TRUE(IsFolder(std::string(kDest) + entry.subFolder)) << entry.subFolder;
        } else {
            EXPECT_EQ(ReadBack(TargetOf(entry)), entry.description);
        }
    }
    // The folder entries leave their folders empty.
    EXPECT_TRUE(std::filesystem::is_empty(Host(std::string(kDest) + "Places")));
    EXPECT_TRUE(std::filesystem::is_empty(Host(std::string(kDest) + "BGs")));

    // A second install over the first replaces every file.
    PutFile(std::string(kSource) + "Readme.hlp", "newer");
    PlaceAll();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ReadBack(std::string(kDest) + "Readme.hlp"), "newer");
}

TEST_F(ManifestTest, AnEmptySourceReportsEveryFileInTableOrder) {
    PlaceAll();
    std::vector<std::string> expected;
    for (const ManifestEntry& entry : InstallManifest) {
        if (IsFolderEntry(entry)) continue;
        expected.push_back("Error 'File Not Found' While Copying " + std::string(kSource) + entry.fileName + " to " +
                           TargetOf(entry));
    }
    std::vector<std::string> shown;
    for (const ShownBox& box : Boxes()) shown.push_back(box.text);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(installerState.installErrors, 1);
}
