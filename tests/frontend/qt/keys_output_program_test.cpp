#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <unistd.h>

#include <array>
#include <ostream>

#include "program/command_line.h"
#include "settings/config_file.h"
#include "support/process_probe.h"
#include "support/pty_pair.h"

#include <QtCore/qtestsupport_core.h>

namespace vantorix {
namespace {

using test::PtyEndpoint;
using test::PtyPair;

constexpr int kTimeoutMs = 10000;

// How standard output of `vantorix --keys print` is unusable.
enum class BrokenOutput { ClosedAtStart, Full, ReaderGone };

struct KeysOutputCase {
    const char* what;
    bool headless;
    BrokenOutput output;
};

void PrintTo(const KeysOutputCase& c, std::ostream* out) {
    *out << c.what;
}

class KeysOutputProgram : public test::TestOnALine<::testing::TestWithParam<KeysOutputCase>> {};
using StandardStreams = test::TestOnALine<>;

TEST_P(KeysOutputProgram, SaysSoAndEndsInOrderWithStatusTwo) {
    const KeysOutputCase& c = GetParam();
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("vantorix.cfg"));
    RedirectSettings settings;
    settings.Combo_portselect = line.nearEnd();
    settings.Check_startrun = 1;
    ASSERT_TRUE(saveConfigFile(config.toStdString(), settings));

    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    // A pipe of the test's own, whose reading end it closes once the program runs.
    std::array<int, 2> pipe{-1, -1};
    if (c.output == BrokenOutput::ClosedAtStart) {
        program.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    } else if (c.output == BrokenOutput::Full) {
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
    } else {
        ASSERT_EQ(::pipe(pipe.data()), 0);
        program.setChildProcessModifier([pipe] {
            ::dup2(pipe[1], STDOUT_FILENO);
            ::close(pipe[0]);
            ::close(pipe[1]);
        });
    }
    QStringList arguments{QStringLiteral("--keys"), QStringLiteral("print")};
    if (c.headless) {
        arguments << QStringLiteral("--headless");
    }
    program.start(QStringLiteral(VANTORIX_EXECUTABLE), arguments);
    ASSERT_TRUE(program.waitForStarted(kTimeoutMs));

    if (c.output != BrokenOutput::ClosedAtStart) {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return test::holdsOpen(program.processId(), line.nearEnd()); }, kTimeoutMs))
            << program.readAllStandardError().toStdString();
        if (c.output == BrokenOutput::ReaderGone) {
            ::close(pipe[0]);
            ::close(pipe[1]);
        }
        ASSERT_TRUE(QFile::remove(config));
        PtyEndpoint device(line.farEnd());
        ASSERT_TRUE(device.write("12.5\r"));
    }
    const bool ended = test::endedWithin(program, kTimeoutMs);
    ASSERT_TRUE(ended) << "the program went on without its output";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), kExitKeysOutputFailed);
    EXPECT_TRUE(program.readAllStandardError().contains(kKeysOutputFailedMessage));
    if (!c.headless && c.output != BrokenOutput::ClosedAtStart) {
        EXPECT_TRUE(QFile::exists(config)) << "the window's exit saves the settings";
    }
}

INSTANTIATE_TEST_SUITE_P(
    StandardOutput, KeysOutputProgram,
    ::testing::Values(KeysOutputCase{"headless, closed at start", true,
                                     BrokenOutput::ClosedAtStart},
                      KeysOutputCase{"headless, full", true, BrokenOutput::Full},
                      KeysOutputCase{"headless, reader gone", true, BrokenOutput::ReaderGone},
                      KeysOutputCase{"window, closed at start", false, BrokenOutput::ClosedAtStart},
                      KeysOutputCase{"window, full", false, BrokenOutput::Full},
                      KeysOutputCase{"window, reader gone", false, BrokenOutput::ReaderGone}));

// Standard input and error closed at start are opened on /dev/null, so that
// the serial port (or any file) never takes their place, where a message for
// the user would go to the device.
TEST_F(StandardStreams, DescriptorsClosedAtStartAreNeverTheSerialPort) {
    QTemporaryDir folder;
    QProcess program;
    program.setWorkingDirectory(folder.path());
    program.setChildProcessModifier([] {
        ::close(STDIN_FILENO);
        ::close(STDERR_FILENO);
    });
    program.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  {QStringLiteral("--headless"), QStringLiteral("--keys"), QStringLiteral("none"),
                   QStringLiteral("--port"), QString::fromStdString(line.nearEnd())});
    ASSERT_TRUE(program.waitForStarted(kTimeoutMs));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return test::holdsOpen(program.processId(), line.nearEnd()); }, kTimeoutMs));
    for (const int descriptor : {STDIN_FILENO, STDERR_FILENO}) {
        const QString link =
            QStringLiteral("/proc/%1/fd/%2").arg(program.processId()).arg(descriptor);
        EXPECT_EQ(QFileInfo(link).symLinkTarget().toStdString(), "/dev/null") << descriptor;
    }
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace vantorix
