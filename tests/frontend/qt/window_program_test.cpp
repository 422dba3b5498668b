#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include "settings/config_file.h"
#include "support/pty_pair.h"
#include "support/windowed_program.h"

namespace vantorix {
namespace {

using test::PtyEndpoint;
using test::PtyPair;

constexpr int kTimeoutMs = 10000;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(WindowProgram, StartsRedirectingAtOnceAndSavesTheSettingsOnSigterm) {
    if (!PtyPair::socatInstalled()) {
        GTEST_SKIP() << "socat is not installed";
    }
    PtyPair line;
    ASSERT_TRUE(line.isReady()) << line.problem();

    QTemporaryDir folder;
    const QString configPath = folder.filePath(QStringLiteral("vantorix.cfg"));
    RedirectSettings settings;
    settings.Combo_portselect = line.nearEnd();
    settings.Check_startrun = 1;
    settings.Check_ENTER_KEY = 1;
    settings.Text_preamble = "kept,as is";
    ASSERT_TRUE(saveConfigFile(configPath.toStdString(), settings));
    const QByteArray original = readFile(configPath);

    QProcess program;
    ASSERT_TRUE(test::startHoldingPort(program, folder.path(), QStringLiteral("offscreen"),
                                       line.nearEnd()));

    PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.write("4+2=6\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.canReadLine(); }, kTimeoutMs));
    EXPECT_EQ(program.readLine(), "4{+}2=6~\n");

    ASSERT_TRUE(QFile::remove(configPath));
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(readFile(configPath), original);
}

}  // namespace
}  // namespace vantorix
