#include "support/x11_key_recorder.h"

// Qt (in the server's header) before Xlib, whose macros clash with Qt names.
#include "support/xvfb_server.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

namespace vantorix::test {
namespace {

// How often the reader looks at whether it should stop.
constexpr int kPollMs = 20;
constexpr unsigned int kModifierBits = 0xff;  // Shift, Lock, Control, Mod1 to Mod5

}  // namespace

X11KeyRecorder::X11KeyRecorder(const XvfbServer& server) {
    display_ = XOpenDisplay(server.name().c_str());
    if (display_ == nullptr) {
        problem_ = "cannot connect to " + server.name();
        return;
    }
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 200, 100, 0, 0, 0);
    XSelectInput(display_, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapWindow(display_, window_);
    // Without a window manager the window is mapped at once: wait for that.
    XEvent event;
    do {
        XWindowEvent(display_, window_, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    XSetInputFocus(display_, window_, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
    ready_ = true;
    reader_ = std::thread([this] { readEvents(); });
}

X11KeyRecorder::~X11KeyRecorder() {
    stopping_ = true;
    if (reader_.joinable()) {
        reader_.join();
    }
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

void X11KeyRecorder::readEvents() {
    while (!stopping_) {
        if (XPending(display_) == 0) {
            pollfd watched{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&watched, 1, kPollMs);
            continue;
        }
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        }
        if (event.type == KeyRelease) {
            lastRelease_ = {event.xkey.keycode, event.xkey.time};
            continue;
        }
        if (event.type != KeyPress) {
            continue;
        }
        const KeyTime pressed{event.xkey.keycode, event.xkey.time};
        const bool takenForAutoRepeat = lastRelease_ == pressed;
        lastRelease_.reset();
        if (takenForAutoRepeat) {
            continue;
        }
        KeySym keysym = NoSymbol;
        char text[16];
        XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
        if (IsModifierKey(keysym)) {
            continue;
        }
        const std::lock_guard lock(mutex_);
        keys_.push_back({keysym, event.xkey.state & kModifierBits});
        arrived_.notify_all();
    }
}

std::vector<RecordedKey> X11KeyRecorder::waitForKeys(std::size_t count,
                                                     std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, timeout, [&] { return keys_.size() >= count; });
    std::vector<RecordedKey> keys;
    keys.swap(keys_);
    return keys;
}

}  // namespace vantorix::test
