// One X11 window of the screen's size that shows the framebuffer and turns
// the window's mouse and keyboard events into input events.
#pragma once

#include "platform/display/display.h"

#include <deque>
#include <memory>
#include <string>

namespace layer {

class X11Window {
public:
    // Opens the X display (nullptr: $DISPLAY) and maps a window showing screen,
    // whose pixels must outlive the window. nullptr, with the reason in *error, when
    // the display cannot be opened or cannot show 0x00RRGGBB pixels directly.
    static std::unique_ptr<X11Window> Open(const char* displayName, PixelBuffer screen, std::string* error);
    ~X11Window();

    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    // Copies the rectangle of the screen to the window.
    void Present(RECT changed);
    // Readable while input may be waiting; stays so until NextInput has taken everything.
    int InputFd() const;
    // Handles pending X events (repainting exposed parts) and hands out the next input event.
    bool NextInput(InputEvent* event);

    struct Connection;

private:
    explicit X11Window(std::unique_ptr<Connection> connection);
    void HandlePendingEvents();

    std::unique_ptr<Connection> connection_;
    std::deque<InputEvent> pending_;
};

}  // namespace layer
