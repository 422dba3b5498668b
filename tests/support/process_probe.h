#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <QFile>

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

// How many file descriptors process `pid` holds open.
inline qsizetype openDescriptorCount(qint64 pid) {
    return QDir(QStringLiteral("/proc/%1/fd").arg(pid))
        .entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)
        .size();
}

// The resident memory of process `pid` in KiB (VmRSS); -1 if it cannot be read.
inline qint64 residentKib(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toLongLong();
        }
    }
    return -1;
}

// The processor time process `pid` has used, user and system, in clock
// ticks; -1 if it cannot be read.
inline qint64 cpuTicks(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray text = stat.readAll();
    // The fields after the command name, which may hold blanks: state first,
    // utime and stime 12th and 13th.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
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
