#include "platform/display/display.h"
#include "platform/kernel32/profile.h"
#include "unit/display/png_reader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

class HeadlessDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("t98-display-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        saved_ = layer::CurrentProfile();
    }
    void TearDown() override {
        layer::DisplayClose();
        layer::SetProfile(saved_);
        fs::remove_all(folder_);
    }
    // Opens a fresh headless screen of the given size.
    layer::PixelBuffer Open(int width, int height, const std::string& snapshotDir = "") {
        layer::Profile profile = saved_;
        profile.display = "headless";
        profile.screenWidth = width;
        profile.screenHeight = height;
        profile.snapshotDir = snapshotDir;
        profile.sysColors[COLOR_BACKGROUND] = RGB(0, 128, 128);
        layer::SetProfile(profile);
        layer::DisplayClose();
        layer::DisplayOpen();
        return layer::DisplayScreen();
    }
    // A picture in which every pixel differs from its neighbours and every channel is used.
    static void Paint(layer::PixelBuffer screen) {
        for (int y = 0; y < screen.height; ++y)
            for (int x = 0; x < screen.width; ++x)
                screen.pixels[y * screen.width + x] = static_cast<uint32_t>((x * 7) << 16 | (y * 5) << 8 | (x ^ y));
    }
    static void ExpectSamePixels(layer::PixelBuffer screen, const DecodedPng& png) {
        ASSERT_EQ(png.width, screen.width);
        ASSERT_EQ(png.height, screen.height);
        for (size_t i = 0; i < png.pixels.size(); ++i) {
            ASSERT_EQ(png.pixels[i], screen.pixels[i] & 0xFFFFFF) << "pixel " << i;
        }
    }
    bool FolderHoldsOnly(const std::string& name) const {
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path().filename() != name) return false;
        return true;
    }

    fs::path folder_;
    layer::Profile saved_;
};

TEST_F(HeadlessDisplay, ScreenHasTheProfileSizeAndStartsInTheDesktopColour) {
    layer::PixelBuffer screen = Open(640, 480);
    ASSERT_NE(screen.pixels, nullptr);
    EXPECT_EQ(screen.width, 640);
    EXPECT_EQ(screen.height, 480);
    // The profile gives 0x00BBGGRR; the screen holds 0x00RRGGBB.
    EXPECT_EQ(screen.pixels[0], 0x008080u);
    EXPECT_EQ(screen.pixels[640 * 480 - 1], 0x008080u);
}

TEST_F(HeadlessDisplay, OpenTwiceKeepsTheSameScreen) {
    layer::PixelBuffer first = Open(32, 16);
    first.pixels[5] = 0x123456;
    layer::DisplayOpen();
    layer::PixelBuffer second = layer::DisplayScreen();
    EXPECT_EQ(second.pixels, first.pixels);
    EXPECT_EQ(second.pixels[5], 0x123456u);
}

TEST_F(HeadlessDisplay, UnusableScreenSizeFallsBackToTheDefault) {
    for (auto size : {std::pair{0, 600}, std::pair{-5, -5}, std::pair{100000, 100000}}) {
        layer::PixelBuffer screen = Open(size.first, size.second);
        EXPECT_EQ(screen.width, 800) << size.first << "x" << size.second;
        EXPECT_EQ(screen.height, 600) << size.first << "x" << size.second;
    }
}

TEST_F(HeadlessDisplay, WritesTheScreenAsRgbPng) {
    layer::PixelBuffer screen = Open(67, 41);  // odd sizes catch row stride mistakes
    Paint(screen);
    const std::string path = (folder_ / "shot.png").string();
    ASSERT_TRUE(layer::DisplayWritePng(path));
    DecodedPng png;
    ASSERT_TRUE(ReadPng(path, &png));
    ExpectSamePixels(screen, png);
    EXPECT_TRUE(FolderHoldsOnly("shot.png")) << "a temporary file was left behind";
}

TEST_F(HeadlessDisplay, WritePngFailsWhereNoFileCanBeMade) {
    Open(8, 8);
    EXPECT_FALSE(layer::DisplayWritePng((folder_ / "missing" / "shot.png").string()));
    EXPECT_FALSE(layer::DisplayWritePng(""));
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(HeadlessDisplay, PresentRefreshesTheSnapshotWhenAFolderIsSet) {
    layer::PixelBuffer screen = Open(50, 30, folder_.string());
    const std::string snapshot = (folder_ / "screen.png").string();
    layer::DisplayPresent(RECT{0, 0, 50, 30});
    DecodedPng before;
    ASSERT_TRUE(ReadPng(snapshot, &before));
    EXPECT_EQ(before.pixels[0], 0x008080u);

    Paint(screen);
    layer::DisplayPresent(RECT{0, 0, 1, 1});  // the whole screen is written whatever changed
    DecodedPng after;
    ASSERT_TRUE(ReadPng(snapshot, &after));
    ExpectSamePixels(screen, after);
    EXPECT_TRUE(FolderHoldsOnly("screen.png"));
}

TEST_F(HeadlessDisplay, SnapshotIsAlwaysAWholePicture) {
    // Another process may read the snapshot at any moment: it must never find a
    // half-written file, nor one mixing two presents.
    layer::PixelBuffer screen = Open(200, 150, folder_.string());
    const std::string snapshot = (folder_ / "screen.png").string();
    layer::DisplayPresent(RECT{0, 0, 200, 150});
    std::atomic<bool> presenting{true};
    std::atomic<int> reads{0}, broken{0};
    std::thread reader([&] {
        while (presenting) {
            DecodedPng png;
            const bool whole = ReadPng(snapshot, &png) && png.pixels.size() == 200u * 150u &&
                               std::all_of(png.pixels.begin(), png.pixels.end(),
                                           [&](uint32_t p) { return p == png.pixels[0]; });
            ++reads;
            if (!whole) ++broken;
        }
    });
    for (uint32_t frame = 0; frame < 60; ++frame) {
        std::fill(screen.pixels, screen.pixels + 200 * 150, frame * 0x030201);
        layer::DisplayPresent(RECT{0, 0, 200, 150});
    }
    presenting = false;
    reader.join();
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(broken.load(), 0) << "of " << reads.load() << " reads";
}

TEST_F(HeadlessDisplay, PresentWritesNothingWithoutASnapshotFolder) {
    Open(10, 10);
    layer::DisplayPresent(RECT{0, 0, 10, 10});
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(HeadlessDisplay, HasNoInput) {
    Open(10, 10);
    EXPECT_EQ(layer::DisplayInputFd(), -1);
    layer::InputEvent event{};
    EXPECT_FALSE(layer::DisplayNextInput(&event));
}

}  // namespace
