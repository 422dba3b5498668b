#pragma once

#include <QProcess>
#include <QProcessEnvironment>

#include <string>

// Xlib's Display, without its macros in every test that includes this.
struct _XDisplay;

namespace vantorix::test {

// An X server of the test's own: Xvfb on a display number it picks free
// itself, so that tests running side by side never share one. It runs with
// -noreset, so a keyboard layout set on it stays when its clients come and
// go. The test also gets a connection of its own to drive the keyboard as a
// user would (press a key, toggle a lock) and to read its state.
//
// Needs a QCoreApplication. Check isReady() after construction.
class XvfbServer {
  public:
    static bool installed();
    // setxkbmap, for setLayout().
    static bool layoutToolInstalled();

    // Starts the server and waits (up to 10 s) until it accepts clients.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool isReady() const { return display_ != nullptr; }
    std::string problem() const { return problem_; }

    // ":N", as DISPLAY holds it.
    std::string name() const { return name_; }
    // The system environment with DISPLAY naming this server.
    QProcessEnvironment environment() const;
    _XDisplay* display() const { return display_; }

    // Sets the keyboard layout ("us", "fr", "de"...) with setxkbmap; false,
    // with the reason in problem(), if it did not take.
    bool setLayout(const std::string& layout);

    // Presses or releases the key of `keysym` as a user would, through XTest,
    // and returns once the server has processed it.
    void pressKey(unsigned long keysym);
    void releaseKey(unsigned long keysym);
    // Whether the key of `keysym` is down now.
    bool isKeyDown(unsigned long keysym);

    // Lock states read from the server.
    bool capsLockOn();
    bool numLockOn();
    // Sets a lock to `on` by pressing and releasing its key as needed.
    void setCapsLock(bool on);
    void setNumLock(bool on);

  private:
    unsigned char keycodeOf(unsigned long keysym);
    unsigned lockedModifiers();

    QProcess xvfb_;
    std::string name_;
    std::string problem_;
    _XDisplay* display_ = nullptr;
};

}  // namespace vantorix::test
