#include "support/typed_file.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace vantorix::test {

namespace {

// How long each wait for the file lasts before the event loop gets a turn.
constexpr int kSliceMs = 10;

}  // namespace

std::string TypedFile::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) const {
    const QDeadlineTimer deadline(timeout);
    std::string typed = received();
    while (typed.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(kSliceMs);
        typed = received();
    }
    return typed;
}

std::string TypedFile::received() const {
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

}  // namespace vantorix::test
