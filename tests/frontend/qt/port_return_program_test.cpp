#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include "settings/config_file.h"
#include "support/process_probe.h"
#include "support/pty_pair.h"
#include "support/windowed_program.h"

namespace vantorix {
namespace {

using test::PtyEndpoint;
using test::PtyPair;

constexpr int kTimeoutMs = 10000;
constexpr int kCycles = 20;
constexpr int kRecordsPerCycle = 3;
// Resident memory may settle by a page or two of the allocator's between two
// counts; a leak of a port's buffers per cycle would pass this many times over.
constexpr qint64 kMemoryNoiseKib = 256;

// Whether any descriptor of process `pid` leads to `target` (a /dev/pts/N).
bool holdsTarget(qint64 pid, const QString& target) {
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& entry : descriptors.entryInfoList(QDir::Files | QDir::System)) {
        if (entry.symLinkTarget() == target) {
            return true;
        }
    }
    return false;
}

struct Figures {
    qsizetype descriptors = 0;
    qint64 residentKib = 0;
};

Figures figuresOf(qint64 pid) {
    return {test::openDescriptorCount(pid), test::residentKib(pid)};
}

// The adapter is pulled out: waits until the program has let the device go.
::testing::AssertionResult pullOut(PtyPair& line, qint64 pid) {
    const QString device = QFileInfo(QString::fromStdString(line.nearEnd())).canonicalFilePath();
    line.unplug();
    if (!QTest::qWaitFor([&] { return !holdsTarget(pid, device); }, kTimeoutMs)) {
        return ::testing::AssertionFailure() << "the program still holds " << device.toStdString();
    }
    return ::testing::AssertionSuccess();
}

struct Flavour {
    const char* name;
    QStringList arguments;
    // What the program says on standard error for each loss and each return.
    bool saysEachLossAndReturn;
};

// The window program and the headless one on a line whose adapter is pulled
// out and plugged in again twenty times while records flow: each record sent
// while the port is there is typed once, in order; no descriptor or memory is
// left behind by a cycle; waiting costs no processor time; SIGTERM while
// waiting is the orderly exit.
TEST(PortReturnProgram, RedirectionCarriesOnAcrossUnplugsAndReplugs) {
    if (!PtyPair::socatInstalled()) {
        GTEST_SKIP() << "socat is not installed";
    }
    PtyPair line;
    ASSERT_TRUE(line.isReady()) << line.problem();
    const QString port = QString::fromStdString(line.nearEnd());
    const Flavour flavours[] = {
        {"window", {}, false},
        {"headless", {QStringLiteral("--headless"), QStringLiteral("--port"), port}, true},
    };
    for (const Flavour& flavour : flavours) {
        SCOPED_TRACE(flavour.name);
        ASSERT_TRUE(line.plugIn()) << line.problem();
        QTemporaryDir folder;
        RedirectSettings settings;
        settings.Combo_portselect = line.nearEnd();
        settings.Check_startrun = 1;
        settings.Check_ENTER_KEY = 1;
        ASSERT_TRUE(saveConfigFile(folder.filePath(QStringLiteral("vantorix.cfg")).toStdString(),
                                   settings));
        QProcess program;
        ASSERT_TRUE(test::startHoldingPort(program, folder.path(), QStringLiteral("offscreen"),
                                           line.nearEnd(), flavour.arguments));
        const qint64 pid = program.processId();

        QByteArray expected;
        QByteArray typed;
        Figures afterFirstCycle;
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            SCOPED_TRACE(cycle);
            {
                PtyEndpoint device(line.farEnd());
                for (int record = 0; record < kRecordsPerCycle; ++record) {
                    const QByteArray text =
                        QStringLiteral("c%1r%2").arg(cycle).arg(record).toLatin1();
                    ASSERT_TRUE(device.write((text + "\r").toStdString()));
                    expected += text + "~";
                }
                ASSERT_TRUE(QTest::qWaitFor(
                    [&] {
                        typed += program.readAllStandardOutput().replace('\n', "");
                        return typed.size() >= expected.size();
                    },
                    kTimeoutMs));
                ASSERT_EQ(typed, expected);
            }
            ASSERT_TRUE(pullOut(line, pid));
            if (cycle == kCycles / 2) {
                const qint64 before = test::cpuTicks(pid);
                QTest::qWait(1000);
                EXPECT_EQ(test::cpuTicks(pid), before) << "processor time used while waiting";
            }
            ASSERT_TRUE(line.plugIn()) << line.problem();
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return test::holdsOpen(pid, line.nearEnd()); }, kTimeoutMs))
                << "the port was not reopened";
            if (cycle == 0) {
                afterFirstCycle = figuresOf(pid);
            }
        }
        const Figures afterLastCycle = figuresOf(pid);
        EXPECT_EQ(afterLastCycle.descriptors, afterFirstCycle.descriptors);
        EXPECT_LE(afterLastCycle.residentKib, afterFirstCycle.residentKib + kMemoryNoiseKib)
            << "from " << afterFirstCycle.residentKib << " KiB";

        ASSERT_TRUE(pullOut(line, pid));
        ::kill(static_cast<pid_t>(pid), SIGTERM);
        ASSERT_TRUE(test::endedWithin(program, kTimeoutMs));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        const QByteArray errors = program.readAllStandardError();
        if (flavour.saysEachLossAndReturn) {
            EXPECT_EQ(errors.count(" to come back.\n"), kCycles + 1) << errors.toStdString();
            EXPECT_EQ(errors.count(" is back; redirecting again.\n"), kCycles);
        }
    }
}

}  // namespace
}  // namespace vantorix
