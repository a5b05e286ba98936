// The machine profile: everything the platform would otherwise decide, read
// once from T98_* environment variables (see the README) and settable
// in-process by tests.
#pragma once

#include <cstdint>
#include <string>

namespace layer {

struct Profile {
    std::string prefix;            // T98_PREFIX: folder holding drive_c and the registry ("": the default)
    uint32_t version = 0x0A280105; // T98_WINVER: the word GetVersion returns (default: NT 5.1)
    int screenWidth = 800;         // T98_SCREEN=WxH
    int screenHeight = 600;
    int screenDepth = 24;          // T98_DEPTH: bits per pixel of the display (4, 8, 16, 24, 32)
    // T98_COLORS=index:RRGGBB,... over the standard grey scheme; COLORREF values (0x00BBGGRR).
    uint32_t sysColors[25] = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0,  // scroll bar, desktop, captions, menu
        0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,  // window, frame, menu text, window text, caption text
        0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF,  // borders, app workspace, highlight, highlight text
        0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0,  // button face, shadow, grey text, button text, inactive caption text
        0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000, 0xE1FFFF,  // button highlight, dark shadow, light, tooltip text, tooltip back
    };
    std::string display;           // T98_DISPLAY: "headless", "x11", or "" (x11 when $DISPLAY is set)
    double timeScale = 1.0;        // T98_TIME_SCALE: Sleep(ms) sleeps ms * scale
    std::string faults;            // T98_FAULTS: comma-separated fault names for tests
    std::string snapshotDir;       // T98_SNAPSHOTS: where the headless screen writes PNGs on request
};

// The profile in force; read from the environment at first use.
Profile& CurrentProfile();
// Replaces the profile (tests); the next use sees the new values.
void SetProfile(const Profile& profile);
// Re-reads the environment.
void ReloadProfileFromEnvironment();
// True when T98_FAULTS names this fault.
bool FaultEnabled(const char* name);

}  // namespace layer
