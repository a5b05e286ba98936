#include "tools/progman/progman_session.h"
#include "tools/progman/start_menu_groups.h"
#include "unit/ipc/ipc_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ProgmanSessionTest : public IpcTest {
protected:
    void SetUp() override {
        IpcTest::SetUp();
        session_.programs = StartMenuProgramsFolder();
    }

    bool Execute(const std::string& text) { return ExecuteProgmanText(&session_, text); }

    // Items are made only for programs that exist: C:\a.exe and C:\Tools\Helper.exe do.
    void PutPrograms() {
        fs::create_directories(prefix_ + "/drive_c/Tools");
        std::ofstream(prefix_ + "/drive_c/a.exe") << "program";
        std::ofstream(prefix_ + "/drive_c/Tools/Helper.exe") << "program";
    }
    fs::path Programs() const { return session_.programs; }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    ProgmanSession session_;
};

TEST_F(ProgmanSessionTest, ProgramsFolderLiesWhereWineKeepsIt) {
    std::string user = getpwuid(geteuid())->pw_name;
    EXPECT_EQ(session_.programs,
              prefix_ + "/drive_c/users/" + user + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs");
    EXPECT_TRUE(fs::is_directory(session_.programs));
}

TEST_F(ProgmanSessionTest, SeveralCommandsInOneExecuteBuildAGroupOfShortcuts) {
    PutPrograms();
    fs::create_directories(prefix_ + "/drive_c/Program Files/T 98");
    std::ofstream(prefix_ + "/drive_c/Program Files/T 98/Tesmara.exe") << "program";
    ASSERT_TRUE(Execute("[CreateGroup(Vintrel Tesmara 98)][ShowGroup(Vintrel Tesmara 98,2)]"
                        "[AddItem(\"C:\\Program Files\\T 98\\tesmara.exe\",\"Tesmara 98 Taskbar Icon\",,0)]"
                        "[AddItem(\"C:\\Tools\\Helper.exe\")]"));
    fs::path group = Programs() / "Vintrel Tesmara 98";
    EXPECT_EQ(Read(group / "Tesmara 98 Taskbar Icon.lnk.txt"),
              "[Shortcut]\nCommandLine=C:\\Program Files\\T 98\\tesmara.exe\nCaption=Tesmara 98 Taskbar Icon\n"
              "IconPath=\nIconIndex=0\n");
    EXPECT_TRUE(fs::exists(group / "Helper.lnk.txt"));  // no caption: named after the program
}

TEST_F(ProgmanSessionTest, GroupsAreFoundWithoutRegardToCaseAndDeletedWithTheirItems) {
    PutPrograms();
    ASSERT_TRUE(Execute("[CreateGroup(Tools)][AddItem(\"C:\\a.exe\",\"A\")]"));
    ASSERT_TRUE(Execute("[CreateGroup(TOOLS)]"));  // the existing group, not a second one
    ASSERT_TRUE(Execute("[DeleteGroup(tools)]"));
    EXPECT_FALSE(fs::exists(Programs() / "Tools"));
    EXPECT_FALSE(Execute("[DeleteGroup(Tools)]"));  // nothing left to delete
}

TEST_F(ProgmanSessionTest, StartUpIsAGroupLikeAnyOther) {
    PutPrograms();
    ASSERT_TRUE(Execute("[CreateGroup(StartUp)]"));
    EXPECT_FALSE(Execute("[ShowGroup(StartUp),2]"));  // refused, and harmless: StartUp stays the group in use
    ASSERT_TRUE(Execute("[AddItem(\"C:\\a.exe\",\"Tesmara 98 Taskbar Icon\",,0)]"));
    EXPECT_TRUE(fs::exists(Programs() / "StartUp" / "Tesmara 98 Taskbar Icon.lnk.txt"));
}

TEST_F(ProgmanSessionTest, ShowingAMissingGroupIsAcceptedButAnItemNeedsItsProgram) {
    PutPrograms();
    ASSERT_TRUE(Execute("[CreateGroup(G)]"));
    EXPECT_TRUE(Execute("[ShowGroup(Missing,1)]"));
    EXPECT_FALSE(Execute("[AddItem(\"C:\\Missing.exe\",\"Missing\")]"));
    EXPECT_TRUE(Execute("[AddItem(\"C:\\a.exe\",\"Present\")]"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Programs() / "G"), fs::directory_iterator()), 1);
}

TEST_F(ProgmanSessionTest, NamesThatWouldLeaveTheFolderAreRefused) {
    PutPrograms();
    fs::create_directories(prefix_ + "/outside");
    const char* refused[] = {
        "[CreateGroup(..)]",        "[CreateGroup(.)]",           "[CreateGroup(a/b)]",
        "[CreateGroup(a\\b)]",      "[CreateGroup(../../outside)]", "[CreateGroup()]",
        "[DeleteGroup(..)]",        "[ShowGroup(..,2)]",          "[CreateGroup(\"C:\")]",
        "[CreateGroup(G)][AddItem(\"C:\\a.exe\",\"../../../../../../outside/x\")]",
        "[CreateGroup(G)][AddItem(\"C:\\a.exe\",\"..\")]",
        "[CreateGroup(G)][AddItem(\"C:\\a.exe\",\"A\",,x)]",
        "[ShowGroup(G,two)]",
        "[Frobnicate(G)]",
    };
    for (const char* text : refused) EXPECT_FALSE(Execute(text)) << text;
    EXPECT_TRUE(fs::is_empty(prefix_ + "/outside"));
    EXPECT_TRUE(fs::exists(Programs()));
}

TEST_F(ProgmanSessionTest, DeletingAGroupDoesNotFollowLinksOutOfIt) {
    fs::create_directories(prefix_ + "/outside");
    std::ofstream(prefix_ + "/outside/keep.txt") << "keep";
    ASSERT_TRUE(Execute("[CreateGroup(G)]"));
    fs::create_directory_symlink(prefix_ + "/outside", Programs() / "G" / "link");
    ASSERT_TRUE(Execute("[DeleteGroup(G)]"));
    EXPECT_FALSE(fs::exists(Programs() / "G"));
    EXPECT_TRUE(fs::exists(prefix_ + "/outside/keep.txt"));
}

TEST_F(ProgmanSessionTest, ItemsNeedAGroupAndAFailedCommandStopsTheRest) {
    PutPrograms();
    EXPECT_FALSE(Execute("[AddItem(\"C:\\a.exe\",\"A\")]"));
    EXPECT_FALSE(Execute("[DeleteGroup(Missing)][CreateGroup(After)]"));
    EXPECT_FALSE(fs::exists(Programs() / "After"));
}

}  // namespace
