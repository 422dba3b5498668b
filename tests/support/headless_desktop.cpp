#include "support/headless_desktop.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "support/helper_process.h"

namespace vantorix::test {
namespace {

constexpr int kStartTimeoutMs = 20000;

// Any user may use the buses: the programs under test may run as another.
constexpr const char* kBusConfig = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <auth>EXTERNAL</auth>
  <listen>unix:tmpdir=/tmp</listen>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

QString supportScript(const char* name) {
    return QStringLiteral(VANTORIX_TEST_SUPPORT_DIR "/") + QLatin1String(name);
}

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// KWin's executable carries a file capability this container cannot grant; a
// copy carries none, and must keep the name for KWin to find its plugins.
QString kwinCopy() {
    static const QString copy = [] {
        const QString folder =
            QDir::temp().filePath(QStringLiteral("vantorix-kwin-%1").arg(::getuid()));
        const QString path = QDir(folder).filePath(QStringLiteral("kwin_wayland"));
        const QString original = QStandardPaths::findExecutable(QStringLiteral("kwin_wayland"));
        if (!QFile::exists(path) || QFileInfo(path).size() != QFileInfo(original).size()) {
            QDir().mkpath(folder);
            QFile::remove(path);
            QFile::copy(original, path);
        }
        return path;
    }();
    return copy;
}

bool busNameOwned(const QString& address, const char* name) {
    QProcess query;
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--bus=") + address, QStringLiteral("--print-reply"),
                 QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/"),
                 QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                 QStringLiteral("string:") + QLatin1String(name)});
    query.waitForFinished(5000);
    return query.readAllStandardOutput().contains("boolean true");
}

}  // namespace

bool HeadlessDesktop::installed(Kind kind) {
    const bool common = !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() &&
                        !QStandardPaths::findExecutable(QStringLiteral("dbus-send")).isEmpty() &&
                        QFile::exists(QStringLiteral("/usr/bin/python3"));
    const char* compositor = kind == Kind::Gnome ? "mutter" : "kwin_wayland";
    return common && !QStandardPaths::findExecutable(QLatin1String(compositor)).isEmpty();
}

const char* HeadlessDesktop::name(Kind kind) {
    return kind == Kind::Gnome ? "GNOME" : "KDE";
}

HeadlessDesktop::HeadlessDesktop(Kind kind, const std::string& layout) : kind_(kind) {
    if (!dir_.isValid() || ::chmod(QFile::encodeName(dir_.path()).constData(), 0700) != 0 ||
        !QDir(dir_.path()).mkpath(QStringLiteral("files")) ||
        !writeFile(path(QStringLiteral("bus.conf")), kBusConfig)) {
        problem_ = "cannot prepare the desktop's folders";
        return;
    }
    display_ = QStringLiteral("wayland-test");
    if (!startBus(sessionBus_, path(QStringLiteral("session-bus")))) {
        return;
    }
    ready_ = kind == Kind::Gnome ? startGnome(layout) : startKde(layout);
}

HeadlessDesktop::~HeadlessDesktop() {
    endHelper(compositor_);
    endHelper(localeService_);
    endHelper(sessionBus_);
    endHelper(systemBus_);
}

QString HeadlessDesktop::path(const QString& name) const {
    return dir_.filePath(name);
}

bool HeadlessDesktop::startBus(QProcess& bus, const QString& socket) {
    bus.start(QStringLiteral("dbus-daemon"),
              {QStringLiteral("--config-file=") + path(QStringLiteral("bus.conf")),
               QStringLiteral("--nofork"), QStringLiteral("--address=unix:path=") + socket});
    return waitUntil([&socket] { return QFile::exists(socket); }, bus, "dbus-daemon");
}

bool HeadlessDesktop::waitUntil(const std::function<bool()>& ready, QProcess& process,
                                const char* what) {
    if (!waitWhileRunning(process, ready, kStartTimeoutMs)) {
        problem_ = std::string(what) + " did not come up: " + process.readAll().toStdString();
        return false;
    }
    return true;
}

// mutter reads the layout from the system's locale service, which a stand-in
// on a system bus of the test's own provides.
bool HeadlessDesktop::startGnome(const std::string& layout) {
    const QString systemBus = path(QStringLiteral("system-bus"));
    if (!startBus(systemBus_, systemBus)) {
        return false;
    }
    QProcessEnvironment environment = this->environment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + systemBus);
    localeService_.setProcessEnvironment(environment);
    localeService_.setProcessChannelMode(QProcess::MergedChannels);
    localeService_.start(QStringLiteral("/usr/bin/python3"),
                         {supportScript("locale_service.py"), QString::fromStdString(layout)});
    if (!waitUntil([this] { return localeService_.canReadLine(); }, localeService_,
                   "the locale service")) {
        return false;
    }
    compositor_.setProcessEnvironment(environment);
    compositor_.setProcessChannelMode(QProcess::MergedChannels);
    compositor_.start(QStringLiteral("mutter"),
                      {QStringLiteral("--headless"), QStringLiteral("--wayland"),
                       QStringLiteral("--no-x11"), QStringLiteral("--wayland-display=") + display_,
                       QStringLiteral("--virtual-monitor"), QStringLiteral("1024x768")});
    const QString bus = QStringLiteral("unix:path=") + path(QStringLiteral("session-bus"));
    return waitUntil(
        [this, &bus] {
            return QFile::exists(path(display_)) &&
                   busNameOwned(bus, "org.gnome.Mutter.RemoteDesktop");
        },
        compositor_, "mutter");
}

// KWin reads the layout from the user's settings at start.
bool HeadlessDesktop::writeKdeLayout(const std::string& layout) {
    if (!writeFile(path(QStringLiteral("home/.config/kxkbrc")),
                   "[Layout]\nLayoutList=" + QByteArray::fromStdString(layout) + "\nUse=true\n")) {
        problem_ = "cannot write KWin's keyboard settings";
        return false;
    }
    return true;
}

bool HeadlessDesktop::switchLayout(const std::string& layout) {
    if (kind_ != Kind::Kde || !writeKdeLayout(layout)) {
        return false;
    }
    // The signal the keyboard settings send when they were changed.
    QProcess signal;
    signal.start(QStringLiteral("dbus-send"),
                 {QStringLiteral("--bus=unix:path=") + path(QStringLiteral("session-bus")),
                  QStringLiteral("--type=signal"), QStringLiteral("/Layouts"),
                  QStringLiteral("org.kde.keyboard.reloadConfig")});
    if (!signal.waitForFinished(5000) || signal.exitCode() != 0) {
        return false;
    }
    // KWin handles its bus messages in order: once a call is answered, the
    // signal was handled and the new keymap sent to its clients.
    QProcess call;
    call.start(QStringLiteral("dbus-send"),
               {QStringLiteral("--bus=unix:path=") + path(QStringLiteral("session-bus")),
                QStringLiteral("--print-reply"), QStringLiteral("--dest=org.kde.KWin"),
                QStringLiteral("/KWin"), QStringLiteral("org.kde.KWin.currentDesktop")});
    return call.waitForFinished(5000) && call.exitCode() == 0;
}

bool HeadlessDesktop::startKde(const std::string& layout) {
    if (!writeKdeLayout(layout)) {
        return false;
    }
    compositor_.setProcessEnvironment(environment());
    compositor_.setProcessChannelMode(QProcess::MergedChannels);
    compositor_.start(
        kwinCopy(), {QStringLiteral("--virtual"), QStringLiteral("--socket"), display_,
                     QStringLiteral("--width"), QStringLiteral("1024"), QStringLiteral("--height"),
                     QStringLiteral("768"), QStringLiteral("--no-lockscreen")});
    const QString bus = QStringLiteral("unix:path=") + path(QStringLiteral("session-bus"));
    return waitUntil(
        [this, &bus] { return QFile::exists(path(display_)) && busNameOwned(bus, "org.kde.KWin"); },
        compositor_, "KWin");
}

QProcessEnvironment HeadlessDesktop::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
    environment.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), display_);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + path(QStringLiteral("session-bus")));
    environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"),
                       kind_ == Kind::Gnome ? QStringLiteral("GNOME") : QStringLiteral("KDE"));
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    if (kind_ == Kind::Kde) {
        environment.insert(QStringLiteral("KDE_SESSION_VERSION"), QStringLiteral("5"));
    }
    environment.remove(QStringLiteral("DISPLAY"));
    return environment;
}

void HeadlessDesktop::useInThisProcess() const {
    const QProcessEnvironment environment = this->environment();
    for (const char* name : {"XDG_RUNTIME_DIR", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                             "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE"}) {
        ::setenv(name, environment.value(QLatin1String(name)).toLocal8Bit().constData(), 1);
    }
    ::unsetenv("DISPLAY");
}

QString HeadlessDesktop::filesFolder() const {
    return path(QStringLiteral("files"));
}

bool HeadlessDesktop::authorise(const QString& executable) {
    const QString entry = path(QStringLiteral("home/.local/share/applications/") +
                               QFileInfo(executable).fileName() + QStringLiteral(".desktop"));
    return writeFile(entry, "[Desktop Entry]\nType=Application\nName=Test\nExec=" +
                                QFileInfo(executable).canonicalFilePath().toLocal8Bit() +
                                "\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n");
}

}  // namespace vantorix::test
