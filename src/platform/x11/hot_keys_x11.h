#pragma once

#include <QAbstractNativeEventFilter>

#include <array>
#include <functional>

#include "forms/hot_keys.h"

struct xcb_connection_t;
struct _XDisplay;

namespace vantorix {

// Global hot keys on an X server: each key is grabbed on the root window,
// so its presses come to the program whichever window has the focus. The
// presses are taken from Qt's stream of X events before Qt sees them.
class X11HotKeyGrabber final : public HotKeyGrabber, private QAbstractNativeEventFilter {
  public:
    // Needs the QGuiApplication's X connection; see makeHotKeyGrabber().
    X11HotKeyGrabber(_XDisplay* display, xcb_connection_t* connection);
    ~X11HotKeyGrabber() override;
    X11HotKeyGrabber(const X11HotKeyGrabber&) = delete;
    X11HotKeyGrabber& operator=(const X11HotKeyGrabber&) = delete;

    void grab(int identifier, HotKeyChoice choice) override;
    void ungrab(int identifier) override;
    void listen(std::function<void(int identifier)> pressed) override;
    void stopListening() override;

  private:
    struct Grab {
        bool held = false;
        unsigned char keycode = 0;
        unsigned short modifiers = 0;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool grabAllLockStates(const Grab& key);
    void ungrabAllLockStates(const Grab& key);

    _XDisplay* display_;
    xcb_connection_t* connection_;
    unsigned root_ = 0;
    std::array<Grab, 2> grabs_{};
    std::function<void(int)> pressed_;
    bool listening_ = false;
};

}  // namespace vantorix
