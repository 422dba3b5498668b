#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace vantorix::test {

// A Wayland compositor of the test's own: sway on the headless backend, with
// one 1280x800 output, no XWayland, and a runtime folder of its own, so that
// tests running side by side never share one. sway refuses to run as root: a
// test running as root starts it, and the windows it shows, under a fixed
// unprivileged user id that needs no account. Clients of the test process
// connect after useInThisProcess().
//
// Needs a QCoreApplication. Check isReady() after construction.
class SwaySession {
  public:
    static bool installed();

    // Starts sway and waits (up to 10 s) until it accepts clients.
    SwaySession();
    ~SwaySession();
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    bool isReady() const { return ready_; }

    // Ends sway, as a crash or the end of a desktop session would, and starts
    // it again on the same runtime folder; false, with the reason in
    // problem(), if it did not come up.
    bool restart();
    std::string problem() const { return problem_; }

    // The system environment with XDG_RUNTIME_DIR and WAYLAND_DISPLAY naming
    // this compositor and no X display.
    QProcessEnvironment environment() const;
    // Points this process's Wayland clients at the compositor.
    void useInThisProcess() const;

    // A folder the compositor's user may write in, for files of its windows.
    QString filesFolder() const;

    // Starts `program` as the compositor's user, with only the environment a
    // window needs and `extra`.
    void startAsUser(QProcess& process, const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& extra = {}) const;
    // Hands a file (a serial line's end, say) to the compositor's user, for
    // its programs alone.
    bool handToUser(const QString& path) const;

    // Runs swaymsg with `arguments`; false, with the reason in problem(), if
    // sway did not take them.
    bool command(const QStringList& arguments);
    // Sets the keyboard layout ("us", "fr", "de"...) of the keyboards sway configures.
    bool setLayout(const std::string& layout);
    // Whether the focused window is a foot terminal.
    bool footHasFocus();

  private:
    bool start();
    void stop();
    QString runtimeFolder() const;
    QString socket(const QString& pattern) const;

    QTemporaryDir dir_;
    QString config_;
    QProcess sway_;
    QString display_;
    QString ipcSocket_;
    bool ready_ = false;
    std::string problem_;
};

}  // namespace vantorix::test
