#include "platform/display/display.h"
#include "platform/kernel32/profile.h"

// GoogleTest before Xlib, whose macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class X11Display : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = layer::CurrentProfile();
        const char* display = std::getenv("DISPLAY");
        savedDisplay_ = display ? display : "";
    }
    void TearDown() override {
        layer::DisplayClose();
        layer::SetProfile(saved_);
        if (savedDisplay_.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", savedDisplay_.c_str(), 1);
        }
    }
    void OpenX11(int width, int height) {
        layer::Profile profile = saved_;
        profile.display = "x11";
        profile.screenWidth = width;
        profile.screenHeight = height;
        profile.snapshotDir.clear();
        layer::SetProfile(profile);
        layer::DisplayClose();
        layer::DisplayOpen();
    }
    // Input events arriving within a second, after the display has handled its window's events.
    std::vector<layer::InputEvent> Drain(size_t wanted) {
        std::vector<layer::InputEvent> events;
        for (int round = 0; round < 100 && events.size() < wanted; ++round) {
            pollfd ready{layer::DisplayInputFd(), POLLIN, 0};
            poll(&ready, 1, 10);
            for (layer::InputEvent e; layer::DisplayNextInput(&e);) events.push_back(e);
        }
        return events;
    }

    layer::Profile saved_;
    std::string savedDisplay_;
};

Window FindWindowNamed(Display* display, const char* name) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && !found; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title) {
            if (std::strcmp(title, name) == 0) found = children[i];
            XFree(title);
        }
    }
    if (children) XFree(children);
    return found;
}

TEST_F(X11Display, UnreachableServerFallsBackToHeadless) {
    setenv("DISPLAY", ":987", 1);
    testing::internal::CaptureStderr();
    OpenX11(40, 30);
    const std::string notice = testing::internal::GetCapturedStderr();
    EXPECT_NE(notice.find("headless"), std::string::npos) << notice;
    EXPECT_EQ(std::count(notice.begin(), notice.end(), '\n'), 1) << "one line";
    EXPECT_EQ(layer::DisplayInputFd(), -1);
    const layer::PixelBuffer screen = layer::DisplayScreen();
    EXPECT_EQ(screen.width, 40);
    EXPECT_NE(screen.pixels, nullptr);
}

// The following need an X server (run under xvfb-run); without one they are skipped.
class X11Server : public X11Display {
protected:
    void SetUp() override {
        X11Display::SetUp();
        peer_ = XOpenDisplay(nullptr);
        if (!peer_) GTEST_SKIP() << "no X server";
        OpenX11(64, 48);
        ASSERT_NE(layer::DisplayInputFd(), -1);
        for (int i = 0; i < 100 && !window_; ++i) {
            window_ = FindWindowNamed(peer_, program_invocation_short_name);
            if (!window_) Drain(0);
        }
        ASSERT_NE(window_, 0u);
    }
    void TearDown() override {
        if (peer_) XCloseDisplay(peer_);
        X11Display::TearDown();
    }
    void Send(XEvent event, long mask) {
        event.xany.display = peer_;
        event.xany.window = window_;
        XSendEvent(peer_, window_, False, mask, &event);
        XFlush(peer_);
    }

    Display* peer_ = nullptr;
    Window window_ = 0;
};

TEST_F(X11Server, PresentShowsTheScreenInTheWindow) {
    for (int i = 0; i < 100; ++i) {
        XWindowAttributes attributes;
        XGetWindowAttributes(peer_, window_, &attributes);
        if (attributes.map_state == IsViewable) break;
        Drain(0);
    }
    layer::PixelBuffer screen = layer::DisplayScreen();
    std::fill(screen.pixels, screen.pixels + screen.width * screen.height, 0x204060u);
    screen.pixels[5 * screen.width + 7] = 0xFF8001;
    layer::DisplayPresent(RECT{0, 0, screen.width, screen.height});
    // Another client's request may overtake ours: look until the picture arrives.
    std::vector<unsigned long> seen;
    for (int i = 0; i < 100; ++i) {
        XImage* image = XGetImage(peer_, window_, 0, 0, 64, 48, AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        seen = {XGetPixel(image, 0, 0) & 0xFFFFFF, XGetPixel(image, 7, 5) & 0xFFFFFF, XGetPixel(image, 63, 47) & 0xFFFFFF};
        XDestroyImage(image);
        if (seen[1] == 0xFF8001) break;
        Drain(0);
    }
    EXPECT_EQ(seen, (std::vector<unsigned long>{0x204060, 0xFF8001, 0x204060}));
}

TEST_F(X11Server, MouseAndKeyboardBecomeInputEvents) {
    XEvent press{};
    press.xbutton.type = ButtonPress;
    press.xbutton.x = 10;
    press.xbutton.y = 20;
    press.xbutton.button = Button1;
    Send(press, ButtonPressMask);
    XEvent release = press;
    release.xbutton.type = ButtonRelease;
    Send(release, ButtonReleaseMask);
    XEvent key{};
    key.xkey.type = KeyPress;
    key.xkey.keycode = XKeysymToKeycode(peer_, XK_a);
    Send(key, KeyPressMask);
    key.xkey.keycode = XKeysymToKeycode(peer_, XK_Delete);
    Send(key, KeyPressMask);

    const std::vector<layer::InputEvent> events = Drain(5);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, layer::InputKind::ButtonDown);
    EXPECT_EQ(events[0].x, 10);
    EXPECT_EQ(events[0].y, 20);
    EXPECT_EQ(events[0].button, 1);
    EXPECT_EQ(events[1].kind, layer::InputKind::ButtonUp);
    EXPECT_EQ(events[2].kind, layer::InputKind::KeyDown);
    EXPECT_EQ(events[2].key, static_cast<unsigned>('A'));
    EXPECT_EQ(events[3].kind, layer::InputKind::Char);
    EXPECT_EQ(events[3].key, static_cast<unsigned>('a'));
    // Delete has a virtual key but, as on Windows, no character.
    EXPECT_EQ(events[4].kind, layer::InputKind::KeyDown);
    EXPECT_EQ(events[4].key, static_cast<unsigned>(VK_DELETE));
}

}  // namespace
