// A Wayland desktop that offers no way to type into its windows (KDE Plasma without the desktop
// entry) leaves XTest as the only way to type: the window says so, without holding up redirection.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <string>

#include "frontend/qt/keyboard_default.h"
#include "frontend/qt/x11/other_client.h"
#include "frontend/qt/x11/test_display.h"
#include "settings/config_file.h"
#include "support/process_probe.h"
#include "support/pty_pair.h"

namespace vantorix {
namespace {

constexpr int kTimeoutMs = 10000;

TEST(KeyboardWarningProgram, OnAWaylandDesktopWithoutVirtualKeyboardsTheWindowSaysWhereKeysGo) {
    const std::string display = test::testDisplayName();
    if (display.empty() || !test::xdotoolInstalled() || !test::PtyPair::socatInstalled()) {
        GTEST_SKIP() << "needs Xvfb, xdotool and socat";
    }
    test::PtyPair line;
    ASSERT_TRUE(line.isReady()) << line.problem();
    QTemporaryDir folder;
    RedirectSettings settings;
    settings.Combo_portselect = line.nearEnd();
    settings.Check_startrun = 1;
    ASSERT_TRUE(
        saveConfigFile(folder.filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings));

    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    // A Wayland session whose compositor offers no virtual keyboard: here,
    // none answers at all; XWayland is the test's X server.
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("no-such-compositor"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  {QStringLiteral("--keys"), QStringLiteral("x11")});
    ASSERT_TRUE(program.waitForStarted(kTimeoutMs));

    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return test::windowTitled(display, QString::fromLatin1(kKeyboardWindowWarningTitle));
        },
        kTimeoutMs))
        << "no window titled " << kKeyboardWindowWarningTitle;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return test::holdsOpen(program.processId(), line.nearEnd()); }, kTimeoutMs))
        << "redirection did not start";
    program.terminate();
    EXPECT_TRUE(test::endedWithin(program, kTimeoutMs));
    EXPECT_NE(program.readAllStandardError().toStdString().find("only X11 applications"),
              std::string::npos);
}

}  // namespace
}  // namespace vantorix
