#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
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
// Resident memory may settle by a page or two between two counts; buffers
// left behind by each of twenty cycles would pass this many times over.
constexpr qint64 kMemoryNoiseKib = 256;
#ifdef __SANITIZE_ADDRESS__
// Freed memory stays in the address checker's quarantine, so the resident size grows by design;
// there the leak checker stands in for this measure.
constexpr bool kResidentSizeTellsGrowth = false;
#else
constexpr bool kResidentSizeTellsGrowth = true;
#endif

// The adapter is pulled out: waits until the program has closed the device
// (whose node goes with it, so only the count of descriptors can tell).
bool pullOut(PtyPair& line, qint64 pid) {
    const qsizetype before = test::openDescriptorCount(pid);
    line.unplug();
    return QTest::qWaitFor([&] { return test::openDescriptorCount(pid) < before; }, kTimeoutMs);
}

// The window program and the headless one on a line whose adapter is pulled
// out and plugged in again twenty times while records flow: each record sent
// while the port is there is typed once, in order; a cycle leaves no
// descriptor or memory behind; waiting costs no processor time; SIGTERM while
// waiting is the orderly exit.
TEST(PortReturnProgram, RedirectionCarriesOnAcrossUnplugsAndReplugs) {
    if (!PtyPair::socatInstalled()) {
        GTEST_SKIP() << "socat is not installed";
    }
    PtyPair line;
    const QString port = QString::fromStdString(line.nearEnd());
    const struct {
        const char* name;
        QStringList arguments;
    } flavours[] = {{"window", {}},
                    {"headless", {QStringLiteral("--headless"), QStringLiteral("--port"), port}}};
    for (const auto& flavour : flavours) {
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
        qsizetype descriptors = 0;
        qint64 memoryKib = 0;
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            SCOPED_TRACE(cycle);
            {
                PtyEndpoint device(line.farEnd());
                for (const char* record : {"a", "b", "c"}) {
                    const QByteArray text = QByteArray::number(cycle) + record;
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
                QTest::qWaitFor([&] { return test::holdsOpen(pid, line.nearEnd()); }, kTimeoutMs));
            if (cycle == 0) {
                descriptors = test::openDescriptorCount(pid);
                memoryKib = test::residentKib(pid);
            }
        }
        EXPECT_EQ(test::openDescriptorCount(pid), descriptors);
        if (kResidentSizeTellsGrowth) {
            EXPECT_LE(test::residentKib(pid), memoryKib + kMemoryNoiseKib) << "from " << memoryKib;
        }

        ASSERT_TRUE(pullOut(line, pid));
        ::kill(static_cast<pid_t>(pid), SIGTERM);
        ASSERT_TRUE(test::endedWithin(program, kTimeoutMs));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
    }
}

}  // namespace
}  // namespace vantorix
