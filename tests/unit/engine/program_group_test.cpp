#include "engine/group_commands.h"
#include "engine/program_group.h"
#include "platform/user32/event_sources.h"
#include "unit/engine/engine_fixture.h"
#include "unit/ipc/child_processes.h"

#include <algorithm>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char kDest[] = "C:\\Program Files\\Tesmara 98\\";

const std::vector<std::string> kProductCommands = {
    "[DeleteGroup(Vintrel Tesmara 98)]",
    "[DeleteGroup(Trayledger)]",
    "[DeleteGroup(Vintrel Skyledger)]",
    "[CreateGroup(Vintrel Tesmara 98)]",
    "[ShowGroup(Vintrel Tesmara 98),2]",
    "[AddItem(\"C:\\Program Files\\Tesmara 98\\Tesmara.exe\",\"Tesmara 98 Taskbar Icon\",,0)]",
    "[AddItem(\"C:\\Program Files\\Tesmara 98\\Tesm.exe\",\"Tesmara 98 Full Ledgerbook\",,0)]",
    "[AddItem(\"C:\\Program Files\\Tesmara 98\\Tesmara.hlp\",\"Help\",,0)]",
    "[AddItem(\"C:\\Program Files\\Tesmara 98\\Uninst.exe\",\"Uninstall\",,0)]",
};
const std::vector<std::string> kStartUpCommands = {
    "[CreateGroup(StartUp)]",
    "[ShowGroup(StartUp),2]",
    "[AddItem(\"C:\\Program Files\\Tesmara 98\\Tesmara.exe\",\"Tesmara 98 Taskbar Icon\",,0)]",
};

// A Program Manager of this process that records what it is offered, accepting or refusing all.
struct OfferedCommand {
    std::string text;
    DWORD size;
};
std::vector<OfferedCommand> offered;
bool refuseAll;

HDDEDATA CALLBACK RecordingProgman(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (type == XTYP_CONNECT) return reinterpret_cast<HDDEDATA>(1);
    if (type != XTYP_EXECUTE) return nullptr;
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string bytes(size, '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(&bytes[0]), size, 0);
    offered.push_back({bytes.c_str(), size});
    return reinterpret_cast<HDDEDATA>(static_cast<uintptr_t>(refuseAll ? DDE_FNOTPROCESSED : DDE_FACK));
}

class ProgramGroupTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        strcpy(installerState.destFolder, kDest);
        offered.clear();
        refuseAll = false;
    }
    void TearDown() override {
        if (server_) DdeUninitialize(server_);
        children_.StopAll();
        EngineTest::TearDown();
    }

    void StartRecordingProgman() {
        ASSERT_EQ(DdeInitializeA(&server_, RecordingProgman, 0, 0), DMLERR_NO_ERROR);
        ASSERT_TRUE(DdeNameService(server_, DdeCreateStringHandleA(server_, "PROGMAN", CP_WINANSI), nullptr,
                                   DNS_REGISTER));
    }

    static std::vector<std::string> Composed() {
        std::vector<std::string> commands;
        for (int i = 0; i < installerState.groupCommandCount; ++i) commands.push_back(installerState.groupCommands[i]);
        return commands;
    }

    static std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    DWORD server_ = 0;
    testing_ipc::ChildProcesses children_;
};

TEST_F(ProgramGroupTest, WithoutAProgramManagerNothingIsSentYetTheListIsComposed) {
    for (int startupItem : {0, 1}) {
        EXPECT_EQ(AddProgramGroup(startupItem), 0);
        EXPECT_EQ(Composed(), startupItem ? Joined(kProductCommands, kStartUpCommands) : kProductCommands);
    }
}

TEST_F(ProgramGroupTest, EveryCommandIsOfferedInOrderAsAWholeSlotEvenWhenRefused) {
    StartRecordingProgman();
    for (bool refuse : {false, true}) {
        offered.clear();
        refuseAll = refuse;
        EXPECT_EQ(AddProgramGroup(BST_CHECKED), 1);
        ASSERT_EQ(offered.size(), 12u);
        std::vector<std::string> expected = Joined(kProductCommands, kStartUpCommands);
        for (size_t i = 0; i < offered.size(); ++i) {
            EXPECT_EQ(offered[i].text, expected[i]);
            EXPECT_EQ(offered[i].size, 512u);
        }
    }
}

TEST_F(ProgramGroupTest, TheStartUpItemIsRowZeroWhateverItsGroupFlag) {
    ManifestEntry manifest[] = {
        {"Tray.exe", 1, 0, "", "Tray Program"},
        {"Other.exe", 1, 1, "", "Other Program"},
    };
    ComposeGroupCommands(manifest, 2, 1);
    std::vector<std::string> commands = Composed();
    ASSERT_EQ(commands.size(), 9u);
    EXPECT_EQ(commands[5], "[AddItem(\"C:\\Program Files\\Tesmara 98\\Other.exe\",\"Other Program\",,0)]");
    EXPECT_EQ(commands[6], "[CreateGroup(StartUp)]");
    EXPECT_EQ(commands[8], "[AddItem(\"C:\\Program Files\\Tesmara 98\\Tray.exe\",\"Tray Program\",,0)]");
}

TEST_F(ProgramGroupTest, ACommandTooLongForItsSlotIsLeftOutAndNothingOverruns) {
    std::string description(300, 'd');
    std::string longFolder = "C:\\" + std::string(250, 'f') + "\\";
    strcpy(installerState.destFolder, longFolder.c_str());
    memset(installerState.groupCommands[6], 'x', GROUP_COMMAND_SIZE);  // left from an earlier list
    ManifestEntry manifest[] = {
        {"Tray.exe", 1, 1, "", description.c_str()},
        {"Short.exe", 1, 1, "", "Short"},
    };
    ComposeGroupCommands(manifest, 2, 0);
    std::vector<std::string> commands = Composed();
    ASSERT_EQ(commands.size(), 6u);
    EXPECT_EQ(commands[5], "[AddItem(\"" + longFolder + "Short.exe\",\"Short\",,0)]");
    EXPECT_EQ(installerState.groupCommandCount, 6);
    EXPECT_EQ(installerState.groupCommands[6][0], 'x');  // the slot after the list is untouched
    for (int i = 0; i < 6; ++i)
        for (size_t at = commands[i].size(); at < GROUP_COMMAND_SIZE; ++at)
            ASSERT_EQ(installerState.groupCommands[i][at], '\0') << i;
}

TEST_F(ProgramGroupTest, TheProgramManagerServerBuildsTheGroupAndTheStartUpItem) {
    std::string programs = layer::CurrentProfile().prefix + "/drive_c/users/" + getpwuid(geteuid())->pw_name +
                           "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs";
    fs::create_directories(programs + "/Trayledger");
    fs::create_directories(programs + "/StartUp");
    std::ofstream(programs + "/StartUp/Other.lnk.txt") << "kept";
    MakeFolders("C:\\Program Files\\Tesmara 98");
    for (const char* program : {"Tesmara.exe", "Tesm.exe", "Tesmara.hlp", "Uninst.exe"})
        PutFile(std::string(kDest) + program, "installed");  // the shell makes items only for files that exist
    children_.Start(testing_ipc::ProgmanPath());
    ASSERT_TRUE(testing_ipc::WaitUntil([] { return AddProgramGroup(1) == 1; }));
    std::vector<std::string> items;
    for (const auto& entry : fs::directory_iterator(programs + "/Vintrel Tesmara 98"))
        items.push_back(entry.path().filename());
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{"Help.lnk.txt", "Tesmara 98 Full Ledgerbook.lnk.txt",
                                               "Tesmara 98 Taskbar Icon.lnk.txt", "Uninstall.lnk.txt"}));
    EXPECT_FALSE(fs::exists(programs + "/Trayledger"));
    EXPECT_TRUE(fs::exists(programs + "/StartUp/Tesmara 98 Taskbar Icon.lnk.txt"));
    EXPECT_TRUE(fs::exists(programs + "/StartUp/Other.lnk.txt"));  // StartUp is neither deleted nor emptied
}

}  // namespace
