#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <vector>

struct _XDisplay;

namespace vantorix::test {

// Another program on the test's X server: a small window of its own
// connection that takes the keyboard focus and tells which keys reach it,
// and the lock keys pressed as a user would.
class OtherClient {
  public:
    explicit OtherClient(const std::string& display);
    ~OtherClient();
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    bool isReady() const { return window_ != 0; }

    // Forgets the key presses seen so far.
    void forgetKeys();
    // Whether a press of `keysym` reached the window within the timeout.
    bool receivesKey(unsigned long keysym, std::chrono::milliseconds timeout);

    // Grabs a key for this client, as another program holding a hot key does.
    void holdKey(unsigned long keysym, unsigned modifiers);

    bool numLockOn();
    void setNumLock(bool on);

  private:
    _XDisplay* display_ = nullptr;
    unsigned long window_ = 0;
};

// Runs xdotool with `arguments` on the test's display; true if it succeeded.
bool xdotool(const std::string& display, const std::vector<std::string>& arguments);
bool xdotoolInstalled();
// xdotool's output for `arguments` on `display`, empty if it failed.
QStringList xdotoolLines(const std::string& display, const QStringList& arguments);
// Whether a window titled exactly `title` is there: xdotool's own search
// ignores case, and the program's other windows are named "vantorix".
bool windowTitled(const std::string& display, const QString& title);

}  // namespace vantorix::test
