#include "engine/file_placement.h"

#include "copying_fixture.h"

#include <chrono>
#include <cstring>

namespace {

std::string Message(const std::string& reason, const std::string& source, const std::string& target) {
    return "Error '" + reason + "' While Copying " + source + " to " + target;
}

// A folder below C: whose text, with its final backslash, is exactly length characters.
std::string FolderOfLength(size_t length) {
    std::string folder = "C:\\";
    while (folder.size() < length) {
        size_t room = length - folder.size();
        folder += room > 50 ? std::string(49, 'd') + "\\" : std::string(room - 1, 'e') + "\\";
    }
    return folder;
}

}  // namespace

class PlacementTest : public CopyingTest {};

TEST_F(PlacementTest, ComposesFolderAndTargetPaths) {
    struct Case {
        const char* dest;
        const char* system;
        const char* fileName;
        const char* subFolder;
        const char* folder;
        const char* target;
    };
    const Case cases[] = {
        {"C:\\D\\", "", "A.exe", "", "C:\\D", "C:\\D\\A.exe"},
        {"C:\\D\\", "", "B.html", "Reference", "C:\\D\\Reference", "C:\\D\\Reference\\B.html"},
        {"C:\\D\\", "", JUST_DIR_MARKER, "Places", "C:\\D\\Places", "C:\\D\\Places\\<JUST DIR>"},
        {"C:\\", "", "A.exe", "", "C:", "C:\\A.exe"},
        {"C:\\D\\", "C:\\WINDOWS\\SYSTEM", "K.dll", SYS_FOLDER_MARKER, "C:\\WINDOWS\\SYSTEM",
         "C:\\WINDOWS\\SYSTEM\\K.dll"},
        {"C:\\D\\", "C:\\WINDOWS\\SYSTEM\\", "K.dll", SYS_FOLDER_MARKER, "C:\\WINDOWS\\SYSTEM",
         "C:\\WINDOWS\\SYSTEM\\K.dll"},
        {"C:\\D\\", "", "K.dll", "<sys>", "C:\\D\\<sys>", "C:\\D\\<sys>\\K.dll"},  // markers match letter case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        char folder[COMPOSED_PATH_SIZE], target[COMPOSED_PATH_SIZE];
        EXPECT_EQ(ComposeEntryPaths(c.dest, c.system, c.fileName, c.subFolder, folder, target), 1);
        EXPECT_STREQ(folder, c.folder);
        EXPECT_STREQ(target, c.target);
    }
}

TEST_F(PlacementTest, RefusesAPathPastTheLimitInsteadOfCuttingIt) {
    char folder[COMPOSED_PATH_SIZE], target[COMPOSED_PATH_SIZE];
    std::string dest = FolderOfLength(254);  // with "A.exe": 259 characters
    EXPECT_EQ(ComposeEntryPaths(dest.c_str(), "", "A.exe", "", folder, target), 1);
    EXPECT_EQ(std::string(target), dest + "A.exe");
    EXPECT_EQ(ComposeEntryPaths(dest.c_str(), "", "AB.exe", "", folder, target), 0);
    EXPECT_EQ(std::string(target), dest + "AB.exe");
}

TEST_F(PlacementTest, PlacesATargetOf259CharactersAndRefuses260) {
    std::string dest = FolderOfLength(248);
    std::strcpy(installerState.destFolder, dest.c_str());
    PutFile(std::string(kSource) + "Tesmara.exe", "259");    // 248 + 11
    PutFile(std::string(kSource) + "Tesmara.exeX", "260");   // 248 + 12

    PlaceFile(Owner(), "Tesmara.exe", "", 1);
    EXPECT_TRUE(IsFile(dest + "Tesmara.exe"));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(installerState.installErrors, 0);

    PlaceFile(Owner(), "Tesmara.exeX", "", 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, Message("#206", std::string(kSource) + "Tesmara.exeX", dest + "Tesmara.exeX"));
    EXPECT_EQ(installerState.lastResult, 206);
    EXPECT_EQ(installerState.installErrors, 1);
    // Cut to 259 characters the target would name the file placed before: it is untouched.
    EXPECT_EQ(ReadBack(dest + "Tesmara.exe"), "259");
}

TEST_F(PlacementTest, MakeFolderTreeClimbsOverMissingLevels) {
    MakeFolders("C:\\Program Files");
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);

    EXPECT_EQ(MakeFolderTree("C:\\Program Files\\Vintrel\\Skyledger"), 1);
    EXPECT_TRUE(IsFolder("C:\\Program Files\\Vintrel"));
    EXPECT_TRUE(IsFolder("C:\\Program Files\\Vintrel\\Skyledger"));
    // Present already: nothing to create.
    EXPECT_EQ(MakeFolderTree("C:\\Program Files\\Vintrel\\Skyledger"), 0);

    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
}

TEST_F(PlacementTest, MakeFolderTreeEndsWhenNoLevelCanBeMade) {
    PutFile("C:\\In The Way", "a file, not a folder");
    const char* folders[] = {
        "Q:\\No Such Drive\\Below",  // a drive that does not exist
        "C:\\In The Way\\Below",     // a file where a folder should be
        "C:\\Bad|Name\\Below",       // a name the file system refuses
        "Refused|NoBackslash",       // nothing to climb by
    };
    for (const char* folder : folders) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(MakeFolderTree(folder), 0);
    }
}

TEST_F(PlacementTest, ReportsEachReasonWithSourceAndTarget) {
    struct Case {
        const char* reason;
        DWORD code;
        const char* fileName;
        int overwrite;
        void (*prepare)();
    };
    const Case cases[] = {
        {"File Not Found", 2, "Absent.txt", 1, [] {}},
        {"Path Not Found", 3, "Anything.txt", 1, [] { std::strcpy(installerState.sourceFolder, "C:\\Nowhere\\"); }},
        {"Access Denied", 5, "Blocked", 1,
         [] {
             PutFile(std::string(kSource) + "Blocked", "x");
             CreateDirectoryA((std::string(kDest) + "Blocked").c_str(), nullptr);
         }},
        {"#80", 80, "Kept.txt", 0,
         [] {
             PutFile(std::string(kSource) + "Kept.txt", "new");
             PutFile(std::string(kDest) + "Kept.txt", "old");
         }},
        {"#112", 112, "Large.bin", 1,
         [] {
             PutFile(std::string(kSource) + "Large.bin", std::string(4096, 'z'));
             layer::Profile profile = layer::CurrentProfile();
             profile.faults = "disk_full";
             layer::SetProfile(profile);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        std::strcpy(installerState.sourceFolder, kSource);
        installerState.installErrors = 0;
        Boxes().clear();
        c.prepare();
        PlaceFile(Owner(), c.fileName, "", c.overwrite);

        std::string expected = Message(c.reason, installerState.sourceFolder + std::string(c.fileName),
                                       std::string(kDest) + c.fileName);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, expected);
        EXPECT_EQ(Boxes()[0].caption, "Installer Error");
        EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(Boxes()[0].owner, Owner());
        EXPECT_EQ(std::string(installerState.scratchText), expected);
        EXPECT_EQ(installerState.lastResult, static_cast<int>(c.code));
        EXPECT_EQ(installerState.installErrors, 1);
    }
}

TEST_F(PlacementTest, SharingViolationWhileTheTargetIsHeld) {
    PutFile(std::string(kSource) + "Tesmara.exe", "new");
    PutFile(std::string(kDest) + "Tesmara.exe", "running");
    HANDLE held = CreateFileA((std::string(kDest) + "Tesmara.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PlaceFile(Owner(), "Tesmara.exe", "", 1);
    CloseHandle(held);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, Message("Sharing Violation", std::string(kSource) + "Tesmara.exe",
                                       std::string(kDest) + "Tesmara.exe"));
}

TEST_F(PlacementTest, LongPathsAreShownWholeWhileScratchTextStaysInBounds) {
    std::string source = FolderOfLength(240);
    std::string dest = FolderOfLength(245);
    MakeFolders(source.substr(0, source.size() - 1));
    std::strcpy(installerState.sourceFolder, source.c_str());
    std::strcpy(installerState.destFolder, dest.c_str());
    PlaceFile(Owner(), "Absent.txt", "", 1);

    std::string expected = Message("File Not Found", source + "Absent.txt", dest + "Absent.txt");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, expected);
    ASSERT_NE(std::memchr(installerState.scratchText, '\0', sizeof installerState.scratchText), nullptr);
    EXPECT_EQ(std::string(installerState.scratchText), expected.substr(0, 259));
}

TEST_F(PlacementTest, JustDirEntryMakesItsFolderAndNothingElse) {
    installerState.lastResult = 42;
    PlaceFile(Owner(), JUST_DIR_MARKER, "Places", 1);
    EXPECT_TRUE(IsFolder(std::string(kDest) + "Places"));
    EXPECT_FALSE(IsFile(std::string(kDest) + "Places\\<JUST DIR>"));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(installerState.lastResult, 42);
    EXPECT_EQ(installerState.installErrors, 0);

    // Even when the folder cannot be made, a folder entry reports nothing.
    std::strcpy(installerState.destFolder, "Q:\\Nowhere\\");
    PlaceFile(Owner(), JUST_DIR_MARKER, "BGs", 1);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(installerState.installErrors, 0);
}

TEST_F(PlacementTest, AFailureDoesNotStopLaterEntriesNorIsItCleared) {
    PutFile(std::string(kSource) + "Tesm.exe", "fresh");
    PutFile(std::string(kDest) + "Tesm.exe", "stale");
    std::string sourceHost = Host(std::string(kSource) + "Tesm.exe");
    auto old = std::filesystem::last_write_time(sourceHost) - std::chrono::hours(24 * 400);
    std::filesystem::last_write_time(sourceHost, old);

    PlaceFile(Owner(), "Absent.exe", "", 1);
    PlaceFile(Owner(), "Tesm.exe", "", 1);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(installerState.installErrors, 1);
    EXPECT_EQ(installerState.lastResult, 1);

    EXPECT_EQ(ReadBack(std::string(kDest) + "Tesm.exe"), "fresh");
    EXPECT_EQ(std::filesystem::last_write_time(Host(std::string(kDest) + "Tesm.exe")), old);
}

TEST_F(PlacementTest, SystemFolderEntriesGoIntoTheSystemFolder) {
    PutFile(std::string(kSource) + "Kelvath.dll", "lib");
    const uint32_t versions[] = {0x0A280105, 0xC0000A04};  // NT 5.1 and the 95 family
    for (uint32_t version : versions) {
        SCOPED_TRACE(version);
        layer::Profile profile = layer::CurrentProfile();
        profile.version = version;
        layer::SetProfile(profile);
        char system[MAX_PATH];
        ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
        MakeFolders(system);

        PlaceFile(Owner(), "Kelvath.dll", SYS_FOLDER_MARKER, 1);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(ReadBack(std::string(system) + "\\Kelvath.dll"), "lib");
    }
    EXPECT_FALSE(IsFolder(std::string(kDest)));  // nothing made under the destination
}
