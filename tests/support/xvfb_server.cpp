#include "support/xvfb_server.h"

// Qt before Xlib, whose macros (None, Bool...) clash with Qt names.
#include <QDeadlineTimer>
#include <QStandardPaths>

#include "support/helper_process.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>

namespace vantorix::test {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kToolTimeoutMs = 10000;

const QString kXvfb = QStringLiteral("Xvfb");
const QString kSetxkbmap = QStringLiteral("setxkbmap");

}  // namespace

bool XvfbServer::installed() {
    return !QStandardPaths::findExecutable(kXvfb).isEmpty();
}

bool XvfbServer::layoutToolInstalled() {
    return !QStandardPaths::findExecutable(kSetxkbmap).isEmpty();
}

XvfbServer::XvfbServer() {
    xvfb_.setProcessChannelMode(QProcess::SeparateChannels);
    // -displayfd 1: the server chooses a free display number and writes it to
    // standard output once it accepts connections.
    xvfb_.start(kXvfb,
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!xvfb_.waitForStarted(kStartTimeoutMs)) {
        problem_ = "Xvfb did not start: " + xvfb_.errorString().toStdString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!xvfb_.canReadLine() && !deadline.hasExpired() && xvfb_.state() == QProcess::Running) {
        xvfb_.waitForReadyRead(100);
    }
    const QByteArray number = xvfb_.readLine().trimmed();
    if (number.isEmpty()) {
        problem_ = "Xvfb gave no display number: " + xvfb_.readAllStandardError().toStdString();
        return;
    }
    name_ = ":" + number.toStdString();
    display_ = XOpenDisplay(name_.c_str());
    if (display_ == nullptr) {
        problem_ = "cannot connect to Xvfb on " + name_;
    }
}

XvfbServer::~XvfbServer() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    endHelper(xvfb_);
}

QProcessEnvironment XvfbServer::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(name_));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

bool XvfbServer::setLayout(const std::string& layout) {
    QProcess setxkbmap;
    setxkbmap.setProcessChannelMode(QProcess::MergedChannels);
    setxkbmap.start(kSetxkbmap, {QStringLiteral("-display"), QString::fromStdString(name_),
                                 QStringLiteral("-layout"), QString::fromStdString(layout)});
    if (!setxkbmap.waitForFinished(kToolTimeoutMs) || setxkbmap.exitCode() != 0) {
        problem_ = "setxkbmap -layout " + layout + " failed: " + setxkbmap.readAll().toStdString() +
                   setxkbmap.errorString().toStdString();
        return false;
    }
    return true;
}

unsigned char XvfbServer::keycodeOf(unsigned long keysym) {
    // Xlib looks keysyms up in its copy of the map, which a layout change
    // outdates; the events that announce it bring it up to date.
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
        }
    }
    return XKeysymToKeycode(display_, keysym);
}

void XvfbServer::pressKey(unsigned long keysym) {
    XTestFakeKeyEvent(display_, keycodeOf(keysym), True, CurrentTime);
    XSync(display_, False);
}

void XvfbServer::releaseKey(unsigned long keysym) {
    XTestFakeKeyEvent(display_, keycodeOf(keysym), False, CurrentTime);
    XSync(display_, False);
}

bool XvfbServer::isKeyDown(unsigned long keysym) {
    std::array<char, 32> keys{};
    XQueryKeymap(display_, keys.data());
    const unsigned keycode = keycodeOf(keysym);
    return (static_cast<unsigned char>(keys[keycode / 8]) & (1U << (keycode % 8))) != 0;
}

unsigned XvfbServer::lockedModifiers() {
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    return state.locked_mods;
}

bool XvfbServer::capsLockOn() {
    return (lockedModifiers() & LockMask) != 0;
}

bool XvfbServer::numLockOn() {
    return (lockedModifiers() & XkbKeysymToModifiers(display_, XK_Num_Lock)) != 0;
}

void XvfbServer::setCapsLock(bool on) {
    if (capsLockOn() != on) {
        pressKey(XK_Caps_Lock);
        releaseKey(XK_Caps_Lock);
    }
}

void XvfbServer::setNumLock(bool on) {
    if (numLockOn() != on) {
        pressKey(XK_Num_Lock);
        releaseKey(XK_Num_Lock);
    }
}

}  // namespace vantorix::test
