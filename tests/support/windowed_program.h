#pragma once

#include <QtCore/qtestsupport_core.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

#include "support/process_probe.h"

namespace vantorix::test {

// Starts the program built with the tests (`--keys print` plus `arguments`)
// in `folder`, on the Qt platform `platform` (and `display`, if given), and
// waits until it holds the serial port `port` open.
inline ::testing::AssertionResult startHoldingPort(QProcess& program, const QString& folder,
                                                   const QString& platform, const std::string& port,
                                                   const QStringList& arguments = {},
                                                   const QString& display = {}) {
    constexpr int kTimeoutMs = 10000;
    program.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), display);
    }
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTORIX_EXECUTABLE),
                  QStringList{QStringLiteral("--keys"), QStringLiteral("print")} + arguments);
    if (!program.waitForStarted(kTimeoutMs)) {
        return ::testing::AssertionFailure() << "the program did not start";
    }
    if (!QTest::qWaitFor([&] { return holdsOpen(program.processId(), port); }, kTimeoutMs)) {
        return ::testing::AssertionFailure() << "the program did not open " << port << ": "
                                             << program.readAllStandardError().toStdString();
    }
    return ::testing::AssertionSuccess();
}

}  // namespace vantorix::test
