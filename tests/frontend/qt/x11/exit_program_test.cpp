#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>
#include <ostream>
#include <string>

#include "frontend/qt/x11/other_client.h"
#include "frontend/qt/x11/test_display.h"
#include "settings/config_file.h"
#include "support/process_probe.h"

namespace vantorix {
namespace {

constexpr int kTimeoutMs = 10000;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A message box of start-up stays open until answered; a request to end
// must not wait for it.
struct StartUpMessage {
    const char* what;
    // Makes vantorix.cfg at `path`; false if it could not.
    bool (*makeConfig)(const QString& path);
    const char* title;
};

void PrintTo(const StartUpMessage& message, std::ostream* out) {
    *out << message.what;
}

class WindowProgramExit : public ::testing::TestWithParam<StartUpMessage> {};

TEST_P(WindowProgramExit, ATerminationSignalWhileAStartUpMessageIsOpenEndsInOrder) {
    const std::string display = test::testDisplayName();
    if (display.empty() || !test::xdotoolInstalled()) {
        GTEST_SKIP() << "needs Xvfb and xdotool";
    }
    QTemporaryDir folder;
    const QString configPath = folder.filePath(QStringLiteral("vantorix.cfg"));
    ASSERT_TRUE(GetParam().makeConfig(configPath));
    const bool aFile = QFileInfo(configPath).isFile();
    const QByteArray original = readFile(configPath);

    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  {QStringLiteral("--keys"), QStringLiteral("none")});
    ASSERT_TRUE(program.waitForStarted(kTimeoutMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return test::windowTitled(display, QString::fromLatin1(GetParam().title)); },
        kTimeoutMs))
        << "no message box titled " << GetParam().title;

    if (aFile) {
        ASSERT_TRUE(QFile::remove(configPath));
    }
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    const bool ended = test::endedWithin(program, kTimeoutMs);
    ASSERT_TRUE(ended) << "the program kept running";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    if (aFile) {
        EXPECT_EQ(readFile(configPath), original) << "the settings are saved on the way out";
    } else {
        EXPECT_TRUE(QFileInfo(configPath).isDir()) << "a folder is left alone";
    }
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, WindowProgramExit,
    ::testing::Values(StartUpMessage{"the port message",
                                     [](const QString& path) {
                                         RedirectSettings settings;
                                         settings.Combo_portselect = "/dev/vantorix-no-such-port";
                                         settings.Check_startrun = 1;
                                         return saveConfigFile(path.toStdString(), settings).ok;
                                     },
                                     "Com Port control"},
                      StartUpMessage{"a settings file that is a folder",
                                     [](const QString& path) { return QDir().mkdir(path); },
                                     "Vantorix"}));

}  // namespace
}  // namespace vantorix
