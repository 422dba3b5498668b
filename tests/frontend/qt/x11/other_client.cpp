#include "frontend/qt/x11/other_client.h"

// Qt before Xlib, whose macros (None, Bool...) clash with Qt names.
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace vantorix::test {
namespace {

constexpr int kToolTimeoutMs = 10000;

}  // namespace

// xdotool's output for `arguments` on `display`, empty if it failed.
QStringList xdotoolLines(const std::string& display, const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Whether a window titled exactly `title` is there: xdotool's own search
// ignores case, and the program's other windows are named "vantorix".
bool windowTitled(const std::string& display, const QString& title) {
    for (const QString& window :
         xdotoolLines(display, {QStringLiteral("search"), QStringLiteral("--name"), title})) {
        if (xdotoolLines(display, {QStringLiteral("getwindowname"), window}) ==
            QStringList{title}) {
            return true;
        }
    }
    return false;
}

OtherClient::OtherClient(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    if (display_ == nullptr) {
        return;
    }
    const Window root = DefaultRootWindow(display_);
    const Window window = XCreateSimpleWindow(display_, root, 600, 600, 200, 100, 0, 0, 0);
    XSelectInput(display_, window, KeyPressMask | StructureNotifyMask);
    XMapWindow(display_, window);
    XSync(display_, False);
    const QDeadlineTimer deadline(kToolTimeoutMs);
    XWindowAttributes attributes{};
    while (XGetWindowAttributes(display_, window, &attributes) != 0 &&
           attributes.map_state != IsViewable && !deadline.hasExpired()) {
        QThread::msleep(5);
    }
    if (attributes.map_state != IsViewable) {
        return;
    }
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
    window_ = window;
}

OtherClient::~OtherClient() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

void OtherClient::forgetKeys() {
    XSync(display_, False);
    XEvent event;
    while (XCheckWindowEvent(display_, window_, KeyPressMask, &event)) {
    }
}

bool OtherClient::receivesKey(unsigned long keysym, std::chrono::milliseconds timeout) {
    const auto keycode = XKeysymToKeycode(display_, keysym);
    const QDeadlineTimer deadline(timeout);
    do {
        XSync(display_, False);
        XEvent event;
        while (XCheckWindowEvent(display_, window_, KeyPressMask, &event)) {
            if (event.xkey.keycode == keycode) {
                return true;
            }
        }
        QThread::msleep(5);
    } while (!deadline.hasExpired());
    return false;
}

void OtherClient::holdKey(unsigned long keysym, unsigned modifiers) {
    XGrabKey(display_, XKeysymToKeycode(display_, keysym), modifiers, DefaultRootWindow(display_),
             False, GrabModeAsync, GrabModeAsync);
    XSync(display_, False);
}

bool OtherClient::numLockOn() {
    XkbStateRec state{};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    return (state.locked_mods & Mod2Mask) != 0;
}

void OtherClient::setNumLock(bool on) {
    const QDeadlineTimer deadline(kToolTimeoutMs);
    while (numLockOn() != on && !deadline.hasExpired()) {
        xdotool(DisplayString(display_), {"key", "Num_Lock"});
    }
}

bool xdotoolInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

bool xdotool(const std::string& display, const std::vector<std::string>& arguments) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    tool.setProcessEnvironment(environment);
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    tool.start(QStringLiteral("xdotool"), list);
    return tool.waitForFinished(kToolTimeoutMs) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

}  // namespace vantorix::test
