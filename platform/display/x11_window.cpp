#include "platform/display/x11_window.h"

#include "platform/display/x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace layer {

struct X11Window::Connection {
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    PixelBuffer screen;
    // Xlib may read events off the socket while it writes, leaving them queued
    // with nothing to read; the wake counter then keeps the input fd readable.
    int wakeFd = -1;
    int readyFd = -1;  // epoll over the X socket and wakeFd: the one fd a waiter watches
};

namespace {

// The framebuffer's 0x00RRGGBB words can go to the server as they are only on
// a true-colour visual with these masks and 32-bit pixels.
bool VisualTakesPixelsDirectly(Display* display, Visual* visual, int depth) {
    if (depth != 24 && depth != 32) return false;
    if (visual->red_mask != 0xFF0000 || visual->green_mask != 0x00FF00 || visual->blue_mask != 0x0000FF) return false;
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    bool bits32 = false;
    for (int i = 0; i < count; ++i) {
        if (formats[i].depth == depth) bits32 = formats[i].bits_per_pixel == 32;
    }
    if (formats) XFree(formats);
    return bits32;
}

// The X socket and the wake counter behind one descriptor that is readable when either is.
bool WatchInputs(X11Window::Connection& c) {
    c.wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    c.readyFd = epoll_create1(EPOLL_CLOEXEC);
    if (c.wakeFd < 0 || c.readyFd < 0) return false;
    for (int fd : {ConnectionNumber(c.display), c.wakeFd}) {
        epoll_event watch{};
        watch.events = EPOLLIN;
        watch.data.fd = fd;
        if (epoll_ctl(c.readyFd, EPOLL_CTL_ADD, fd, &watch) != 0) return false;
    }
    return true;
}

void CloseInputs(X11Window::Connection& c) {
    if (c.readyFd >= 0) close(c.readyFd);
    if (c.wakeFd >= 0) close(c.wakeFd);
}

void Wake(const X11Window::Connection& c) {
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(c.wakeFd, &one, sizeof one);
}

void ClearWake(const X11Window::Connection& c) {
    uint64_t count;
    [[maybe_unused]] ssize_t read = ::read(c.wakeFd, &count, sizeof count);
}

InputEvent MouseEvent(InputKind kind, int x, int y, int button) {
    InputEvent event{kind};
    event.x = x;
    event.y = y;
    event.button = button;
    return event;
}

InputEvent KeyEvent(InputKind kind, unsigned key) {
    InputEvent event{kind};
    event.key = key;
    return event;
}

}  // namespace

std::unique_ptr<X11Window> X11Window::Open(const char* displayName, PixelBuffer screen, std::string* error) {
    auto connection = std::make_unique<Connection>();
    connection->screen = screen;
    Display* display = XOpenDisplay(displayName);
    if (!display) {
        *error = "cannot open X display " + std::string(XDisplayName(displayName));
        return nullptr;
    }
    connection->display = display;
    const int screenNumber = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screenNumber);
    const int depth = DefaultDepth(display, screenNumber);
    if (!VisualTakesPixelsDirectly(display, visual, depth)) {
        *error = "X display has no 24-bit true-colour visual";
        XCloseDisplay(display);
        return nullptr;
    }
    connection->window = XCreateSimpleWindow(display, RootWindow(display, screenNumber), 0, 0, screen.width,
                                             screen.height, 0, BlackPixel(display, screenNumber),
                                             BlackPixel(display, screenNumber));
    // Every program on the layer shows its own screen window; its name tells them apart.
    XStoreName(display, connection->window, program_invocation_short_name);
    // The screen has one size: keep window managers from resizing it.
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = screen.width;
    hints->min_height = hints->max_height = screen.height;
    XSetWMNormalHints(display, connection->window, hints);
    XFree(hints);
    // Without this protocol a click on the close box would kill the connection and the process.
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, connection->window, &deleteWindow, 1);
    // A held key then repeats as presses alone, as Windows repeats WM_KEYDOWN without WM_KEYUP.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
    XSelectInput(display, connection->window,
                 ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                     KeyReleaseMask);
    connection->gc = XCreateGC(display, connection->window, 0, nullptr);
    connection->image = XCreateImage(display, visual, depth, ZPixmap, 0, reinterpret_cast<char*>(screen.pixels),
                                     screen.width, screen.height, 32, screen.width * 4);
    if (connection->image) {
        // The pixels are words in this machine's byte order; Xlib swaps them for a server of the other order.
        const uint16_t probe = 1;
        connection->image->byte_order = *reinterpret_cast<const uint8_t*>(&probe) ? LSBFirst : MSBFirst;
    }
    if (!connection->image || !WatchInputs(*connection)) {
        *error = "cannot set up the X window";
        CloseInputs(*connection);
        if (connection->image) {
            connection->image->data = nullptr;
            XDestroyImage(connection->image);
        }
        XFreeGC(display, connection->gc);
        XDestroyWindow(display, connection->window);
        XCloseDisplay(display);
        return nullptr;
    }
    XMapWindow(display, connection->window);
    XFlush(display);
    // Replies read while opening may have queued events already.
    Wake(*connection);
    return std::unique_ptr<X11Window>(new X11Window(std::move(connection)));
}

X11Window::X11Window(std::unique_ptr<Connection> connection) : connection_(std::move(connection)) {}

X11Window::~X11Window() {
    Connection& c = *connection_;
    // The image's pixels belong to the framebuffer, not to Xlib.
    c.image->data = nullptr;
    XDestroyImage(c.image);
    CloseInputs(c);
    XFreeGC(c.display, c.gc);
    XDestroyWindow(c.display, c.window);
    XCloseDisplay(c.display);
}

void X11Window::Present(RECT changed) {
    Connection& c = *connection_;
    const int left = std::max<int>(0, changed.left);
    const int top = std::max<int>(0, changed.top);
    const int right = std::min<int>(c.screen.width, changed.right);
    const int bottom = std::min<int>(c.screen.height, changed.bottom);
    if (left >= right || top >= bottom) return;
    XPutImage(c.display, c.window, c.gc, c.image, left, top, left, top, right - left, bottom - top);
    XFlush(c.display);
    if (XEventsQueued(c.display, QueuedAlready) > 0) Wake(c);
}

int X11Window::InputFd() const { return connection_->readyFd; }

void X11Window::HandlePendingEvents() {
    Connection& c = *connection_;
    while (XPending(c.display) > 0) {
        XEvent event;
        XNextEvent(c.display, &event);
        switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            Present(RECT{e.x, e.y, e.x + e.width, e.y + e.height});
            break;
        }
        case MotionNotify:
            pending_.push_back(MouseEvent(InputKind::MouseMove, event.xmotion.x, event.xmotion.y, 0));
            break;
        case ButtonPress:
        case ButtonRelease: {
            const XButtonEvent& e = event.xbutton;
            // Buttons 4 and up are the wheel and side buttons, which nothing here uses.
            if (e.button < Button1 || e.button > Button3) break;
            InputKind kind = event.type == ButtonPress ? InputKind::ButtonDown : InputKind::ButtonUp;
            pending_.push_back(MouseEvent(kind, e.x, e.y, static_cast<int>(e.button)));
            break;
        }
        case KeyPress:
        case KeyRelease: {
            char text[8] = {};
            KeySym keysym = 0;
            const int length = XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
            const unsigned virtualKey = VirtualKeyFromKeysym(keysym);
            if (virtualKey != 0) {
                pending_.push_back(KeyEvent(event.type == KeyPress ? InputKind::KeyDown : InputKind::KeyUp, virtualKey));
            }
            // Windows gives no character for Delete; X gives 0x7F.
            const unsigned char character = static_cast<unsigned char>(text[0]);
            if (event.type == KeyPress && length == 1 && character != 0x7F) {
                pending_.push_back(KeyEvent(InputKind::Char, character));
            }
            break;
        }
        default:
            break;  // WM_DELETE_WINDOW among them: the installer closes from its own buttons.
        }
    }
}

bool X11Window::NextInput(InputEvent* event) {
    if (pending_.empty()) HandlePendingEvents();
    if (pending_.empty()) {
        ClearWake(*connection_);
        return false;
    }
    *event = pending_.front();
    pending_.pop_front();
    return true;
}

}  // namespace layer
