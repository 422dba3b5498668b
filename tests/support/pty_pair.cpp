#include "support/pty_pair.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "support/helper_process.h"

namespace vantorix::test {
namespace {

constexpr int kStartTimeoutMs = 5000;
// How long each wait lasts before the event loop gets another turn.
constexpr int kSliceMs = 10;

const QString kSocat = QStringLiteral("socat");

// Waits for `events` on `fd` for one slice after letting Qt run; false once
// the deadline has passed.
bool waitForFd(int fd, short events, const QDeadlineTimer& deadline) {
    if (deadline.hasExpired()) {
        return false;
    }
    QCoreApplication::processEvents();
    pollfd watched{fd, events, 0};
    ::poll(&watched, 1, kSliceMs);
    return true;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

bool PtyPair::socatInstalled() {
    return !QStandardPaths::findExecutable(kSocat).isEmpty();
}

PtyPair::PtyPair() {
    if (!dir_.isValid()) {
        problem_ = "cannot create a temporary directory: " + dir_.errorString().toStdString();
        return;
    }
    plugIn();
}

bool PtyPair::plugIn() {
    ready_ = false;
    unplug();
    const QString log = dir_.filePath(QStringLiteral("socat.log"));
    socat_.setStandardOutputFile(log);
    socat_.setStandardErrorFile(log);
    socat_.start(kSocat,
                 {QStringLiteral("-d"), QStringLiteral("-d"),
                  QStringLiteral("pty,raw,echo=0,link=") + QString::fromStdString(nearEnd()),
                  QStringLiteral("pty,raw,echo=0,link=") + QString::fromStdString(farEnd())});
    if (!socat_.waitForStarted(kStartTimeoutMs)) {
        problem_ = "socat did not start: " + socat_.errorString().toStdString();
        return false;
    }
    // socat links each end before it makes that end raw: the far end, linked
    // last, can still echo and translate line ends when both links are there.
    // The transfer loop starts once both ends are set up.
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!readFile(log).contains("starting data transfer loop")) {
        // Returns early, and for good, if socat gives up.
        if (socat_.waitForFinished(kSliceMs) || deadline.hasExpired()) {
            problem_ = "socat did not provide both ends: " + readFile(log).toStdString();
            unplug();
            return false;
        }
    }
    ready_ = true;
    return true;
}

PtyPair::~PtyPair() {
    unplug();
}

std::string PtyPair::nearEnd() const {
    return path("ttyV0");
}

std::string PtyPair::farEnd() const {
    return path("ttyV1");
}

void PtyPair::unplug() {
    // Asked to end, socat removes its links as well as closing the ptys.
    endHelper(socat_);
}

std::string PtyPair::path(const char* name) const {
    return dir_.filePath(QString::fromLatin1(name)).toStdString();
}

PtyEndpoint::PtyEndpoint(const std::string& path)
    : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}

PtyEndpoint::~PtyEndpoint() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PtyEndpoint::write(std::string_view bytes, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else if (!waitForFd(fd_, POLLOUT, deadline)) {
            return false;
        }
    }
    return true;
}

std::string PtyEndpoint::read(std::size_t count, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    std::string received;
    char chunk[4096];
    while (received.size() < count) {
        const ssize_t got = ::read(fd_, chunk, std::min(sizeof chunk, count - received.size()));
        if (got > 0) {
            received.append(chunk, static_cast<std::size_t>(got));
        } else if ((got < 0 && errno != EAGAIN && errno != EINTR) ||
                   !waitForFd(fd_, POLLIN, deadline)) {
            break;
        }
    }
    return received;
}

}  // namespace vantorix::test
