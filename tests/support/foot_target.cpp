#include "support/foot_target.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "support/sway_session.h"

namespace vantorix::test {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kSliceMs = 10;

const QString kFoot = QStringLiteral("foot");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

bool FootTarget::installed() {
    return !QStandardPaths::findExecutable(kFoot).isEmpty();
}

FootTarget::FootTarget(SwaySession& session) : session_(session) {
    // "ready" appears once the terminal is raw, so typing can start then.
    const QString script =
        QStringLiteral("stty raw -echo && : > '%1' && touch '%2' && exec cat >> '%1'")
            .arg(file("typed"), file("ready"));
    foot_.setProcessChannelMode(QProcess::MergedChannels);
    session_.startAsUser(foot_, kFoot, {QStringLiteral("sh"), QStringLiteral("-c"), script});
    if (!foot_.waitForStarted(kStartTimeoutMs)) {
        problem_ = "foot did not start: " + foot_.errorString().toStdString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!(QFile::exists(file("ready")) && session_.footHasFocus()) && !deadline.hasExpired() &&
           foot_.state() == QProcess::Running) {
        foot_.waitForFinished(kSliceMs);
    }
    if (!QFile::exists(file("ready")) || !session_.footHasFocus()) {
        problem_ = "foot did not come up with the focus: " + foot_.readAll().toStdString();
        return;
    }
    ready_ = true;
}

FootTarget::~FootTarget() {
    if (foot_.state() != QProcess::NotRunning) {
        foot_.terminate();
        if (!foot_.waitForFinished(kStartTimeoutMs)) {
            foot_.kill();
            foot_.waitForFinished();
        }
    }
    QFile::remove(file("typed"));
    QFile::remove(file("ready"));
}

std::string FootTarget::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    QByteArray typed = readFile(file("typed"));
    while (static_cast<std::size_t>(typed.size()) < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(kSliceMs);
        typed = readFile(file("typed"));
    }
    return typed.toStdString();
}

std::string FootTarget::received() const {
    return readFile(file("typed")).toStdString();
}

QString FootTarget::file(const char* name) const {
    // Several windows may share the session's folder.
    return QDir(session_.filesFolder())
        .filePath(QStringLiteral("foot-%1-%2").arg(reinterpret_cast<quintptr>(this)).arg(name));
}

}  // namespace vantorix::test
