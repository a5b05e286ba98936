#include "platform/ipc/runtime_folder.h"
#include "unit/ipc/ipc_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Points XDG_RUNTIME_DIR at a folder of the test for its duration.
class RuntimeFolderTest : public IpcTest {
protected:
    void SetUp() override {
        IpcTest::SetUp();
        const char* saved = getenv("XDG_RUNTIME_DIR");
        hadRuntime_ = saved != nullptr;
        if (saved) savedRuntime_ = saved;
        runtime_ = prefix_ + "/run";
        fs::create_directory(runtime_);
        setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    }
    void TearDown() override {
        if (hadRuntime_) setenv("XDG_RUNTIME_DIR", savedRuntime_.c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
        IpcTest::TearDown();
    }

    static mode_t Mode(const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
    }

    std::string runtime_;

private:
    bool hadRuntime_ = false;
    std::string savedRuntime_;
};

TEST_F(RuntimeFolderTest, EachPrefixMeetsInAPrivateFolderOfTheUser) {
    std::string folder = layer::PrefixRuntimeFolder();
    ASSERT_EQ(folder.rfind(runtime_ + "/t98/", 0), 0u) << folder;
    EXPECT_EQ(Mode(runtime_ + "/t98"), 0700u);
    EXPECT_EQ(Mode(folder), 0700u);

    layer::Profile profile = layer::CurrentProfile();
    profile.prefix = prefix_ + "/../" + fs::path(prefix_).filename().string();  // the same folder, spelt otherwise
    layer::SetProfile(profile);
    EXPECT_EQ(layer::PrefixRuntimeFolder(), folder);
    profile.prefix = prefix_ + "/other";
    fs::create_directory(profile.prefix);
    layer::SetProfile(profile);
    EXPECT_NE(layer::PrefixRuntimeFolder(), folder);
}

TEST_F(RuntimeFolderTest, AFolderOthersCanEnterOrDoNotOwnIsRefused) {
    std::string shared = runtime_ + "/t98";
    fs::create_directory(shared);
    chmod(shared.c_str(), 0755);
    EXPECT_EQ(layer::PrefixRuntimeFolder(), "");

    fs::remove(shared);
    fs::create_directory(runtime_ + "/elsewhere");
    chmod((runtime_ + "/elsewhere").c_str(), 0700);
    fs::create_directory_symlink(runtime_ + "/elsewhere", shared);
    EXPECT_EQ(layer::PrefixRuntimeFolder(), "");  // a link could lead anywhere

    if (geteuid() == 0) {
        fs::remove(shared);
        fs::create_directory(shared);
        chmod(shared.c_str(), 0700);
        ASSERT_EQ(chown(shared.c_str(), 65534, 65534), 0);
        EXPECT_EQ(layer::PrefixRuntimeFolder(), "");
    }
}

}  // namespace
