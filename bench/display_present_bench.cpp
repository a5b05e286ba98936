// What a screen snapshot adds to every DisplayPresent: presents of an 800 x 600
// headless screen with and without a snapshot folder, side by side in one run.
//   display_present_bench [Google Benchmark options]
#include "platform/display/display.h"
#include "platform/kernel32/profile.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

void OpenScreen(const std::string& snapshotDir) {
    layer::Profile profile = layer::CurrentProfile();
    profile.display = "headless";
    profile.screenWidth = 800;
    profile.screenHeight = 600;
    profile.snapshotDir = snapshotDir;
    layer::SetProfile(profile);
    layer::DisplayClose();
    layer::PixelBuffer screen = layer::DisplayScreen();
    // A picture with detail, as a dialog over the tiled backdrop has, not a flat colour.
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            screen.pixels[y * screen.width + x] = ((x * 3 + y * 5) & 0x3F) | ((x / 8 + y / 8) & 0x7) << 16 | 0x4000;
}

void PresentWithoutSnapshot(benchmark::State& state) {
    OpenScreen("");
    for (auto _ : state) layer::DisplayPresent(RECT{0, 0, 800, 600});
    layer::DisplayClose();
}

void PresentWithSnapshot(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / ("t98-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    OpenScreen(folder.string());
    for (auto _ : state) layer::DisplayPresent(RECT{0, 0, 800, 600});
    layer::DisplayClose();
    std::filesystem::remove_all(folder);
}

BENCHMARK(PresentWithoutSnapshot)->Unit(benchmark::kMicrosecond);
BENCHMARK(PresentWithSnapshot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
