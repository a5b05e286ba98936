#include "platform/display/display.h"

#include "platform/display/png_file.h"
#include "platform/display/x11_window.h"
#include "platform/kernel32/profile.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace layer {

namespace {

constexpr int kMaxScreenSide = 16384;

struct DisplayState {
    bool open = false;
    std::vector<uint32_t> pixels;
    PixelBuffer screen;
    std::unique_ptr<X11Window> window;  // null: headless
};

DisplayState& State() {
    static DisplayState state;
    return state;
}

// The profile's colours are 0x00BBGGRR; the framebuffer holds 0x00RRGGBB.
uint32_t ScreenPixelFromColorref(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

bool WantsX11(const Profile& profile) {
    if (profile.display == "x11") return true;
    if (!profile.display.empty()) return false;
    const char* variable = std::getenv("DISPLAY");
    return variable && *variable;
}

}  // namespace

void DisplayOpen() {
    DisplayState& state = State();
    if (state.open) return;
    const Profile& profile = CurrentProfile();
    // A nonsensical size in the environment must not become a huge allocation.
    const bool sizeValid = profile.screenWidth > 0 && profile.screenWidth <= kMaxScreenSide &&
                           profile.screenHeight > 0 && profile.screenHeight <= kMaxScreenSide;
    const int width = sizeValid ? profile.screenWidth : 800;
    const int height = sizeValid ? profile.screenHeight : 600;
    state.pixels.assign(static_cast<size_t>(width) * height,
                        ScreenPixelFromColorref(profile.sysColors[COLOR_BACKGROUND]));
    state.screen = PixelBuffer{state.pixels.data(), width, height};
    if (WantsX11(profile)) {
        std::string error;
        state.window = X11Window::Open(nullptr, state.screen, &error);
        if (!state.window) std::fprintf(stderr, "t98: %s; running headless\n", error.c_str());
    }
    state.open = true;
}

PixelBuffer DisplayScreen() {
    DisplayOpen();
    return State().screen;
}

void DisplayPresent(RECT changed) {
    DisplayOpen();
    DisplayState& state = State();
    if (state.window) state.window->Present(changed);
    const std::string& snapshotDir = CurrentProfile().snapshotDir;
    if (!snapshotDir.empty()) WritePngFile(state.screen, snapshotDir + "/screen.png");
}

bool DisplayWritePng(const std::string& path) {
    DisplayOpen();
    return WritePngFile(State().screen, path);
}

int DisplayInputFd() {
    DisplayState& state = State();
    return state.window ? state.window->InputFd() : -1;
}

bool DisplayNextInput(InputEvent* event) {
    DisplayState& state = State();
    if (!event || !state.window) return false;
    return state.window->NextInput(event);
}

void DisplayClose() {
    DisplayState& state = State();
    state.window.reset();
    state.pixels.clear();
    state.pixels.shrink_to_fit();
    state.screen = PixelBuffer{};
    state.open = false;
}

}  // namespace layer
