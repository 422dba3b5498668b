#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>
#include <string>

namespace vantorix::test {

// A Wayland desktop of the test's own that offers no virtual keyboard:
// headless GNOME (mutter) or KDE Plasma (a copy of KWin on its virtual
// backend), with the keyboard layout asked for, a session bus of its own and
// a runtime folder of its own. It runs as the test's user, so that the
// desktop can read which executable a client is (KWin authorises by it).
// Clients of the test process connect after useInThisProcess().
//
// Needs a QCoreApplication. Check isReady() after construction.
class HeadlessDesktop {
  public:
    enum class Kind { Gnome, Kde };

    static bool installed(Kind kind);
    static const char* name(Kind kind);

    // Starts the desktop and waits (up to 20 s) until it takes clients.
    HeadlessDesktop(Kind kind, const std::string& layout);
    ~HeadlessDesktop();
    HeadlessDesktop(const HeadlessDesktop&) = delete;
    HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

    bool isReady() const { return ready_; }
    std::string problem() const { return problem_; }

    // The system environment with the desktop's Wayland display, session bus,
    // runtime folder and home, and no X display.
    QProcessEnvironment environment() const;
    void useInThisProcess() const;
    QString filesFolder() const;

    // KDE: switches the keyboard layout of the running desktop, as its
    // settings do; false if KWin was not told.
    bool switchLayout(const std::string& layout);

    // KDE: a desktop entry in the user's applications folder that lets
    // `executable` use KWin's fake input, as an installed package's does.
    bool authorise(const QString& executable);

  private:
    bool startBus(QProcess& bus, const QString& socket);
    bool startGnome(const std::string& layout);
    bool startKde(const std::string& layout);
    bool writeKdeLayout(const std::string& layout);
    bool waitUntil(const std::function<bool()>& ready, QProcess& process, const char* what);
    QString path(const QString& name) const;

    Kind kind_;
    QTemporaryDir dir_;
    QString display_;
    QProcess systemBus_;
    QProcess sessionBus_;
    QProcess localeService_;
    QProcess compositor_;
    bool ready_ = false;
    std::string problem_;
};

// Names the desktop in test parameters.
inline void PrintTo(HeadlessDesktop::Kind kind, std::ostream* out) {
    *out << HeadlessDesktop::name(kind);
}

}  // namespace vantorix::test
