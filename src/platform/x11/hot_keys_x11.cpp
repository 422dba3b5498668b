#include "platform/x11/hot_keys_x11.h"


// Qt before Xlib, whose macros (None, Bool...) clash with Qt names.
#include <QCoreApplication>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace vantorix {
namespace {

// The modifiers that tell one hot key from another; the lock modifiers
// (Caps Lock, Num Lock on Mod2) must not.
constexpr unsigned short kRelevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr std::array<unsigned short, 4> kLockStates = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                       XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

unsigned short xModifiers(int modifiers) {
    switch (modifiers) {
        case kModAlt:
            return XCB_MOD_MASK_1;
        case kModControl:
            return XCB_MOD_MASK_CONTROL;
        case kModShift:
            return XCB_MOD_MASK_SHIFT;
        default:
            return 0;
    }
}

// Virtual-key codes 113 to 122 are F2 to F11, whose keysyms follow each other.
unsigned long keysymOf(int keyCode) {
    return static_cast<unsigned long>(XK_F2 + (keyCode - 113));
}

}  // namespace

X11HotKeyGrabber::X11HotKeyGrabber(_XDisplay* display, xcb_connection_t* connection)
    : display_(display), connection_(connection) {
    root_ = static_cast<unsigned>(DefaultRootWindow(display_));
}

X11HotKeyGrabber::~X11HotKeyGrabber() {
    stopListening();
    ungrab(1);
    ungrab(2);
}

bool X11HotKeyGrabber::grabAllLockStates(const Grab& key) {
    bool allTaken = true;
    for (const unsigned short lock : kLockStates) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection_, 0, root_, key.modifiers | lock, key.keycode,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        // BadAccess: another program holds this combination.
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            allTaken = false;
            std::free(error);
        }
    }
    return allTaken;
}

void X11HotKeyGrabber::ungrabAllLockStates(const Grab& key) {
    for (const unsigned short lock : kLockStates) {
        xcb_ungrab_key(connection_, key.keycode, root_, key.modifiers | lock);
    }
    xcb_flush(connection_);
}

void X11HotKeyGrabber::grab(int identifier, HotKeyChoice choice) {
    if (identifier < 1 || identifier > 2) {
        return;
    }
    Grab key;
    key.keycode = XKeysymToKeycode(display_, keysymOf(choice.keyCode));
    key.modifiers = xModifiers(choice.modifiers);
    if (key.keycode == 0) {
        return;
    }
    // Like the system refusing a combination that is already registered:
    // the same key for both hot keys fires only the first.
    for (const Grab& other : grabs_) {
        if (other.held && other.keycode == key.keycode && other.modifiers == key.modifiers) {
            return;
        }
    }
    if (grabAllLockStates(key)) {
        key.held = true;
        grabs_[static_cast<std::size_t>(identifier - 1)] = key;
    } else {
        ungrabAllLockStates(key);
    }
}

void X11HotKeyGrabber::ungrab(int identifier) {
    if (identifier < 1 || identifier > 2) {
        return;
    }
    Grab& key = grabs_[static_cast<std::size_t>(identifier - 1)];
    if (key.held) {
        ungrabAllLockStates(key);
        key = Grab{};
    }
}

void X11HotKeyGrabber::listen(std::function<void(int)> pressed) {
    pressed_ = std::move(pressed);
    if (!listening_) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        listening_ = true;
    }
}

void X11HotKeyGrabber::stopListening() {
    if (listening_) {
        if (QCoreApplication* app = QCoreApplication::instance()) {
            app->removeNativeEventFilter(this);
        }
        listening_ = false;
    }
    pressed_ = nullptr;
}

bool X11HotKeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message,
                                         qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != root_) {
        return false;
    }
    for (std::size_t i = 0; i < grabs_.size(); ++i) {
        const Grab& key = grabs_[i];
        if (key.held && press->detail == key.keycode &&
            (press->state & kRelevantModifiers) == key.modifiers) {
            // Copied: the action may release the keys, and with them this function.
            const std::function<void(int)> pressed = pressed_;
            if (pressed) {
                pressed(static_cast<int>(i) + 1);
            }
            return true;
        }
    }
    return false;
}

}  // namespace vantorix
