#pragma once

#include <QtCore/qtestsupport_core.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace vantorix::test {

// How `vantorix --send-hotkey N` ended.
struct SenderRun {
    int exitStatus = -1;  // -1: it did not start, crashed or did not end in time
    std::string errors;
};

// Runs the program built with the tests (VANTORIX_EXECUTABLE) as
// `--send-hotkey hotKey` with `runtimeFolder` as its XDG_RUNTIME_DIR, through
// setpriv as the user and group `userId` when given. The event loop turns
// meanwhile, so a request socket of the test's own can answer.
inline SenderRun sendHotKey(int hotKey, const QString& runtimeFolder,
                            std::optional<int> userId = std::nullopt) {
    constexpr int kTimeoutMs = 10000;
    QProcess sender;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    sender.setProcessEnvironment(environment);
    QStringList arguments{QStringLiteral(VANTORIX_EXECUTABLE), QStringLiteral("--send-hotkey"),
                          QString::number(hotKey)};
    if (userId) {
        const QString id = QString::number(*userId);
        arguments = QStringList{QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                                QStringLiteral("--clear-groups")} +
                    arguments;
        sender.start(QStringLiteral("setpriv"), arguments);
    } else {
        sender.start(arguments.takeFirst(), arguments);
    }
    SenderRun run;
    if (!sender.waitForStarted(kTimeoutMs) ||
        !QTest::qWaitFor([&] { return sender.state() == QProcess::NotRunning; }, kTimeoutMs)) {
        sender.kill();
        sender.waitForFinished(kTimeoutMs);
        return run;
    }
    run.exitStatus = sender.exitStatus() == QProcess::NormalExit ? sender.exitCode() : -1;
    run.errors = sender.readAllStandardError().toStdString();
    return run;
}

}  // namespace vantorix::test
