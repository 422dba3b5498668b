// The program with its window on a headless sway, as the compositor's user:
// hot keys bound in the desktop (sway's bindsym running vantorix
// --send-hotkey) send their strings out of the port, and the notification
// icon registers with a tray host on the session bus, tip and all.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>

#include <unistd.h>

#include <optional>
#include <string>
#include <tuple>

#include "settings/config_file.h"
#include "support/process_probe.h"
#include "support/pty_pair.h"
#include "support/sway_session.h"
#include "support/users_keyboard.h"

namespace vantorix {
namespace {

using test::SwaySession;

constexpr int kTimeoutMs = 10000;

// Reads `process`'s standard output until a line starting with `prefix`;
// returns the rest of that line, nothing if none came in time.
std::optional<QString> lineStartingWith(QProcess& process, const QString& prefix) {
    std::optional<QString> found;
    std::ignore = QTest::qWaitFor(
        [&] {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                if (line.startsWith(prefix)) {
                    found = line.mid(prefix.size());
                    return true;
                }
            }
            return false;
        },
        kTimeoutMs);
    return found;
}

void end(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(kTimeoutMs)) {
            process.kill();
            process.waitForFinished(kTimeoutMs);
        }
    }
}

class ProgramOnSway : public test::TestOnALine<> {
  protected:
    void SetUp() override {
        if (!SwaySession::installed()) {
            GTEST_SKIP() << "sway is not installed (package sway)";
        }
        TestOnALine::SetUp();
        if (IsSkipped()) {
            return;
        }
        ASSERT_TRUE(session.isReady()) << session.problem();
        // The line's own link lies in a folder only this test may open: the
        // program gets a link of its own to the device. Named /dev/pts/N, the
        // port would share its lock file in the machine's lock folder with
        // every program that ever had that pseudo-terminal number, and the
        // compositor's user may not remove one that another user left behind.
        const QString device =
            QFileInfo(QString::fromStdString(line.nearEnd())).canonicalFilePath();
        ASSERT_TRUE(session.handToUser(device));
        ASSERT_TRUE(QFile::link(device, port())) << port().toStdString();
        settings.Combo_portselect = port().toStdString();
        settings.Check_startrun = 1;
        settings.Check_enablehotkey1 = 1;
        settings.Text_hotkey1 = "one{13}";
        settings.Text_hotkey2 = "two{13}";
    }
    void TearDown() override { end(program); }

    // Starts the program with `environment` as the compositor's user, or as
    // this test's when `environment` is complete, and waits until it
    // redirects.
    void startProgram(const QProcessEnvironment& environment, bool asUser) {
        const QString folder = session.filesFolder();
        ASSERT_TRUE(saveConfigFile(
            QDir(folder).filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings));
        program.setWorkingDirectory(folder);
        const QString executable = QStringLiteral(VANTORIX_EXECUTABLE);
        const QStringList arguments{QStringLiteral("--keys"), QStringLiteral("print")};
        if (asUser) {
            session.startAsUser(program, executable, arguments, environment);
        } else {
            program.setProcessEnvironment(environment);
            program.start(executable, arguments);
        }
        ASSERT_TRUE(program.waitForStarted(kTimeoutMs));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return test::holdsOpen(program.processId(), line.nearEnd()); }, kTimeoutMs))
            << program.readAllStandardError().toStdString();
    }

    QString port() const { return QDir(session.filesFolder()).filePath(QStringLiteral("ttyV0")); }

    SwaySession session;
    RedirectSettings settings;
    QProcess program;
};

TEST_F(ProgramOnSway, AShortcutBoundInTheDesktopSendsTheHotKeysStringOutOfThePort) {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The shortcut's command runs as the compositor's user: so must the program.
    ASSERT_NO_FATAL_FAILURE(startProgram(environment, true));
    test::PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.isOpen());
    for (const QString& digit : {QStringLiteral("1"), QStringLiteral("2")}) {
        ASSERT_TRUE(session.command(
            {QStringLiteral("bindsym"), QStringLiteral("Ctrl+Alt+") + digit, QStringLiteral("exec"),
             QStringLiteral(VANTORIX_EXECUTABLE " --send-hotkey ") + digit}))
            << session.problem();
    }
    session.useInThisProcess();
    test::UsersKeyboard keyboard(false);
    ASSERT_TRUE(keyboard.isReady()) << keyboard.problem();

    // Hot key 2 is not enabled: it sends nothing ahead of hot key 1.
    keyboard.pressCtrlAltDigit(2);
    keyboard.pressCtrlAltDigit(1);
    EXPECT_EQ(device.read(4), "one\r");
}

// A lock file left on the device's system name by a program of another user,
// which the compositor's user may not remove, does not keep the program from
// its port: it reaches the device through a link of its own.
TEST_F(ProgramOnSway, ALockLeftOnTheDevicesSystemNameDoesNotKeepTheProgramFromItsPort) {
    const QString lockFolder = QStringLiteral("/var/lock");
    if (::geteuid() != 0 || !QFileInfo(lockFolder).isDir()) {
        GTEST_SKIP() << "needs root and " << lockFolder.toStdString();
    }
    // The pseudo-terminal is this test's while the line lives: a lock already
    // on its name is a stale one, and sets the scene as well as this test's,
    // which goes before the line.
    const QString device = QFileInfo(QString::fromStdString(line.nearEnd())).canonicalFilePath();
    QString name = device.mid(QStringLiteral("/dev/").size());
    QFile lock(QDir(lockFolder).filePath(QStringLiteral("LCK..") + name.replace('/', '_')));
    const bool planted = lock.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    ASSERT_TRUE(planted || lock.exists()) << lock.errorString().toStdString();
    const auto removeLock = qScopeGuard([&] {
        if (planted) {
            lock.remove();
        }
    });
    // A process id beyond any the kernel gives: the program that left it is gone.
    ASSERT_TRUE(!planted || lock.write("4194305\nvantorix\n") > 0);
    lock.close();

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    ASSERT_NO_FATAL_FAILURE(startProgram(environment, true));
}

// A session bus of the test's own, with a tray host on it if asked. The bus
// wants its user to have an account: the compositor's has none, so the bus,
// the host and their clients run as this test's user.
class PrivateSessionBus {
  public:
    ~PrivateSessionBus() {
        end(host);
        end(bus_);
    }

    // Starts the bus, and the host if asked, and names the bus in `environment`.
    ::testing::AssertionResult start(QProcessEnvironment& environment, bool withTrayHost) {
        bus_.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
        const std::optional<QString> address = lineStartingWith(bus_, QStringLiteral("unix:"));
        if (!address) {
            return ::testing::AssertionFailure()
                   << "no session bus: " << bus_.readAllStandardError().toStdString();
        }
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QStringLiteral("unix:") + *address);
        if (!withTrayHost) {
            return ::testing::AssertionSuccess();
        }
        host.setProcessEnvironment(environment);
        host.start(QStringLiteral("/usr/bin/python3"), {kHost, QStringLiteral("watch")});
        if (!lineStartingWith(host, QStringLiteral("ready"))) {
            return ::testing::AssertionFailure()
                   << "no tray host: " << host.readAllStandardError().toStdString();
        }
        return ::testing::AssertionSuccess();
    }

    inline static const QString kHost = QStringLiteral(VANTORIX_TRAY_HOST);
    QProcess host;

  private:
    QProcess bus_;
};

TEST_F(ProgramOnSway, TheIconRegistersWithTheTrayHostWithItsTip) {
    QProcessEnvironment environment = session.environment();
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.start(environment, true));
    const auto stop = qScopeGuard([&] { end(program); });

    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    ASSERT_NO_FATAL_FAILURE(startProgram(environment, false));
    const std::optional<QString> item = lineStartingWith(bus.host, QStringLiteral("item "));
    ASSERT_TRUE(item) << "no icon registered: " << program.readAllStandardError().toStdString();

    QProcess tip;
    tip.setProcessEnvironment(environment);
    tip.start(QStringLiteral("/usr/bin/python3"),
              {PrivateSessionBus::kHost, QStringLiteral("tooltip"), *item});
    ASSERT_TRUE(tip.waitForFinished(kTimeoutMs));
    const QJsonObject tooltip = QJsonDocument::fromJson(tip.readAllStandardOutput()).object();
    EXPECT_EQ(tooltip.value(QStringLiteral("title")).toString(),
              QStringLiteral("VanTorix\n Running"))
        << tip.readAllStandardError().toStdString();
}

TEST(TrayOnSway, OnlyATrayHostLetsTheIconHideMinimisedWindows) {
    if (!SwaySession::installed()) {
        GTEST_SKIP() << "sway is not installed (package sway)";
    }
    SwaySession session;
    ASSERT_TRUE(session.isReady()) << session.problem();
    for (const bool withTrayHost : {true, false}) {
        SCOPED_TRACE(withTrayHost);
        QProcessEnvironment environment = session.environment();
        PrivateSessionBus bus;
        ASSERT_TRUE(bus.start(environment, withTrayHost));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        QProcess probe;
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(VANTORIX_TRAY_PROBE), QStringList{});
        ASSERT_TRUE(probe.waitForFinished(kTimeoutMs));
        EXPECT_EQ(probe.readAllStandardOutput().trimmed(),
                  withTrayHost ? QByteArray("restores 1") : QByteArray("restores 0"))
            << probe.readAllStandardError().toStdString();
    }
}

}  // namespace
}  // namespace vantorix
