#include "platform/kernel32/profile.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>

namespace {

const char* const kVariables[] = {"T98_PREFIX", "T98_WINVER",     "T98_SCREEN", "T98_DEPTH",     "T98_COLORS",
                                  "T98_DISPLAY", "T98_TIME_SCALE", "T98_FAULTS", "T98_SNAPSHOTS", "XDG_DATA_HOME",
                                  "HOME"};

// Reads the profile from exactly these variables, then puts everything back.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = layer::CurrentProfile();
        for (const char* name : kVariables)
            if (const char* value = std::getenv(name)) environment_[name] = value;
    }

    void TearDown() override {
        for (const char* name : kVariables) unsetenv(name);
        for (const auto& entry : environment_) setenv(entry.first.c_str(), entry.second.c_str(), 1);
        layer::SetProfile(saved_);
    }

    static const layer::Profile& Load(const std::map<std::string, std::string>& variables) {
        for (const char* name : kVariables) unsetenv(name);
        for (const auto& entry : variables) setenv(entry.first.c_str(), entry.second.c_str(), 1);
        layer::ReloadProfileFromEnvironment();
        return layer::CurrentProfile();
    }

private:
    layer::Profile saved_;
    std::map<std::string, std::string> environment_;
};

TEST_F(ProfileTest, DefaultsWithNothingSet) {
    const layer::Profile& profile = Load({{"HOME", "/home/someone"}});
    EXPECT_EQ(profile.prefix, "/home/someone/.local/share/tesmara98");
    EXPECT_EQ(profile.version, 0x0A280105u);
    EXPECT_EQ(profile.screenWidth, 800);
    EXPECT_EQ(profile.screenHeight, 600);
    EXPECT_EQ(profile.screenDepth, 24);
    EXPECT_EQ(profile.timeScale, 1.0);
    EXPECT_EQ(profile.sysColors[COLOR_BTNFACE], 0xC0C0C0u);
    EXPECT_EQ(profile.sysColors[COLOR_BTNSHADOW], 0x808080u);
    EXPECT_EQ(profile.sysColors[COLOR_BTNHIGHLIGHT], 0xFFFFFFu);
    EXPECT_EQ(profile.sysColors[COLOR_ACTIVECAPTION], RGB(0, 0, 0x80));
    EXPECT_EQ(Load({{"HOME", "/home/someone"}, {"XDG_DATA_HOME", "/data"}}).prefix, "/data/tesmara98");
}

TEST_F(ProfileTest, ValuesAndMalformedValues) {
    const layer::Profile& profile = Load({{"T98_PREFIX", "/srv/t98"},
                                          {"T98_WINVER", "0xC0000A04"},
                                          {"T98_SCREEN", "1024x768"},
                                          {"T98_DEPTH", "8"},
                                          {"T98_COLORS", "15:D4D0C8,bad,99:000000,16:80808,20:ffffff"},
                                          {"T98_TIME_SCALE", "0"},
                                          {"T98_FAULTS", "disk_full"}});
    EXPECT_EQ(profile.prefix, "/srv/t98");
    EXPECT_EQ(profile.version, 0xC0000A04u);
    EXPECT_EQ(profile.screenWidth, 1024);
    EXPECT_EQ(profile.screenHeight, 768);
    EXPECT_EQ(profile.screenDepth, 8);
    EXPECT_EQ(profile.sysColors[COLOR_BTNFACE], RGB(0xD4, 0xD0, 0xC8));
    EXPECT_EQ(profile.sysColors[COLOR_BTNSHADOW], 0x808080u);  // five digits: ignored
    EXPECT_EQ(profile.sysColors[COLOR_BTNHIGHLIGHT], 0xFFFFFFu);
    EXPECT_EQ(profile.timeScale, 0.0);
    EXPECT_TRUE(layer::FaultEnabled("disk_full"));
    EXPECT_FALSE(layer::FaultEnabled("disk"));

    struct Case {
        const char* winver;
        uint32_t version;
        const char* screen;
        int width;
        const char* depth;
        int bits;
    } cases[] = {
        {"167772421", 0x0A000105, "640X480", 640, "32", 32},
        {"0x", 0x0A280105, "x480", 800, "24bit", 24},
        {"0x1FFFFFFFF", 0x0A280105, "0x0", 800, "7", 24},
        {"-1", 0x0A280105, "100000x100", 800, "", 24},
    };
    for (const Case& c : cases) {
        const layer::Profile& loaded = Load({{"T98_WINVER", c.winver}, {"T98_SCREEN", c.screen}, {"T98_DEPTH", c.depth}});
        EXPECT_EQ(loaded.version, c.version) << c.winver;
        EXPECT_EQ(loaded.screenWidth, c.width) << c.screen;
        EXPECT_EQ(loaded.screenDepth, c.bits) << c.depth;
    }
}

TEST_F(ProfileTest, RelativePrefixIsFixedAtStart) {
    const layer::Profile& profile = Load({{"T98_PREFIX", "machine"}});
    char current[4096];
    ASSERT_NE(getcwd(current, sizeof current), nullptr);
    EXPECT_EQ(profile.prefix, std::string(current) + "/machine");
}

}  // namespace
