// --send-hotkey through the program with its window (offscreen): the hot
// key's string goes out of the port as a press would send it, only while
// redirecting and only for a hot key enabled at START.
#include <QtCore/qtestsupport_core.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "settings/config_file.h"
#include "support/hot_key_sender.h"
#include "support/process_probe.h"
#include "support/pty_pair.h"
#include "support/windowed_program.h"

namespace vantorix {
namespace {

using test::PtyEndpoint;
using test::sendHotKey;

constexpr int kTimeoutMs = 10000;

class SendHotKeyProgram : public test::TestOnALine<> {
  protected:
    void SetUp() override {
        TestOnALine::SetUp();
        if (IsSkipped()) {
            return;
        }
        // The program and the senders share a runtime folder of their own.
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        settings.Combo_portselect = line.nearEnd();
        settings.Text_hotkey1 = "one{13}";
        settings.Text_hotkey2 = "two{13}";
        settings.Check_enablehotkey1 = 1;
    }
    void TearDown() override { test::endInOrder(program, kTimeoutMs); }

    // Starts the program with the settings, holding the line's near end.
    ::testing::AssertionResult startProgram(QProcess& process) {
        if (!saveConfigFile(folder.filePath(QStringLiteral("vantorix.cfg")).toStdString(),
                            settings)) {
            return ::testing::AssertionFailure() << "cannot write the settings";
        }
        return test::startHoldingPort(process, folder.path(), QStringLiteral("offscreen"),
                                      line.nearEnd());
    }

    QString socketPath() const { return runtime.filePath(QStringLiteral("vantorix-hotkeys")); }
    test::SenderRun send(int hotKey) { return sendHotKey(hotKey, runtime.path()); }

    QTemporaryDir runtime;
    QTemporaryDir folder;
    RedirectSettings settings;
    QProcess program;
};

TEST_F(SendHotKeyProgram, WhileRedirectingOnlyTheHotKeyEnabledAtStartSendsItsString) {
    settings.Check_startrun = 1;
    ASSERT_TRUE(startProgram(program));
    PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.isOpen());

    const test::SenderRun second = send(2);
    EXPECT_EQ(second.exitStatus, 5);
    EXPECT_NE(second.errors.find("Hot key 2 was not enabled"), std::string::npos) << second.errors;
    const test::SenderRun first = send(1);
    EXPECT_EQ(first.exitStatus, 0) << first.errors;
    EXPECT_EQ(first.errors, "");
    // Hot key 2 sent nothing before it.
    EXPECT_EQ(device.read(4), "one\r");
}

TEST_F(SendHotKeyProgram, WhileStoppedNothingIsSentAndTheSenderSaysWhy) {
    settings.Check_enablehotkey2 = 1;
    ASSERT_TRUE(
        saveConfigFile(folder.filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings));
    program.setWorkingDirectory(folder.path());
    program.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  {QStringLiteral("--keys"), QStringLiteral("print")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(socketPath()); }, kTimeoutMs))
        << program.readAllStandardError().toStdString();
    for (const int hotKey : {1, 2}) {
        const test::SenderRun run = send(hotKey);
        EXPECT_EQ(run.exitStatus, 4) << hotKey;
        EXPECT_NE(run.errors.find("not redirecting"), std::string::npos) << run.errors;
    }
}

TEST_F(SendHotKeyProgram, ASecondProgramLeavesTheRunningOnesRequestsToItAndSaysSo) {
    settings.Check_startrun = 1;
    ASSERT_TRUE(startProgram(program));
    PtyEndpoint device(line.farEnd());

    // Started with the same settings, the second finds the port taken and
    // does not redirect; the requests still reach the first.
    QTemporaryDir otherFolder;
    settings.Check_startrun = 0;
    ASSERT_TRUE(saveConfigFile(otherFolder.filePath(QStringLiteral("vantorix.cfg")).toStdString(),
                               settings));
    QProcess second;
    second.setWorkingDirectory(otherFolder.path());
    second.start(QStringLiteral(VANTORIX_EXECUTABLE),
                 {QStringLiteral("--keys"), QStringLiteral("print")});
    QByteArray said;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            said += second.readAllStandardError();
            return said.contains("Another Vantorix already takes the hot keys");
        },
        kTimeoutMs))
        << said.toStdString();

    const test::SenderRun run = send(1);
    EXPECT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(device.read(4), "one\r");
    test::endInOrder(second, kTimeoutMs);
    EXPECT_TRUE(QFile::exists(socketPath())) << "the first program's socket stays";
}

TEST_F(SendHotKeyProgram, ASocketLeftByAKilledProgramIsTakenOverByTheNextOne) {
    settings.Check_startrun = 1;
    ASSERT_TRUE(startProgram(program));
    program.kill();
    ASSERT_TRUE(program.waitForFinished());
    ASSERT_TRUE(QFile::exists(socketPath()));
    EXPECT_EQ(send(1).exitStatus, 3);

    QProcess next;
    ASSERT_TRUE(startProgram(next));
    PtyEndpoint device(line.farEnd());
    const test::SenderRun run = send(1);
    EXPECT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(device.read(4), "one\r");
    test::endInOrder(next, kTimeoutMs);
}

}  // namespace
}  // namespace vantorix
