#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <string>
#include <tuple>

namespace vantorix::test {

// Whether process `pid` holds the device behind `path` open: how a test
// knows that a program it started has opened its serial port.
inline bool holdsOpen(qint64 pid, const std::string& path) {
    const QString device = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
    const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& entry : descriptors.entryInfoList(QDir::Files | QDir::System)) {
        if (entry.symLinkTarget() == device) {
            return true;
        }
    }
    return false;
}

// Waits up to `timeoutMs` for `program` to end by itself, and kills it if it
// does not, so that no test leaves it running. Whether it ended by itself.
inline bool endedWithin(QProcess& program, int timeoutMs) {
    if (program.waitForFinished(timeoutMs)) {
        return true;
    }
    program.kill();
    program.waitForFinished(timeoutMs);
    return false;
}

// Ends `program` as a desktop would, with SIGTERM, so that it closes its
// port and removes the port's lock file from the machine's lock folder;
// kills it if it has not ended within `timeoutMs`.
inline void endInOrder(QProcess& program, int timeoutMs) {
    if (program.state() == QProcess::NotRunning) {
        return;
    }
    program.terminate();
    std::ignore = endedWithin(program, timeoutMs);
}

}  // namespace vantorix::test
