#include "support/key_recording_window.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include "support/headless_desktop.h"

namespace vantorix::test {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kSliceMs = 10;
// A window shown is mapped, and given the focus, a moment later.
constexpr int kFocusMs = 300;

}  // namespace

KeyRecordingWindow::KeyRecordingWindow(HeadlessDesktop& desktop)
    : typed_(QDir(desktop.filesFolder())
                 .filePath(QStringLiteral("typed-%1").arg(reinterpret_cast<quintptr>(this)))) {
    QProcessEnvironment environment = desktop.environment();
    environment.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("wayland"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    window_.setProcessEnvironment(environment);
    window_.setProcessChannelMode(QProcess::MergedChannels);
    window_.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(VANTORIX_TEST_SUPPORT_DIR "/key_recording_window.py"), typed_.path()});
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!QFile::exists(typed_.path()) && !deadline.hasExpired() &&
           window_.state() != QProcess::NotRunning) {
        window_.waitForFinished(kSliceMs);
    }
    if (!QFile::exists(typed_.path())) {
        problem_ = "the recording window did not come up: " + window_.readAll().toStdString();
        return;
    }
    window_.waitForFinished(kFocusMs);
    ready_ = window_.state() == QProcess::Running;
}

KeyRecordingWindow::~KeyRecordingWindow() {
    if (window_.state() != QProcess::NotRunning) {
        window_.terminate();
        if (!window_.waitForFinished(kStartTimeoutMs)) {
            window_.kill();
            window_.waitForFinished();
        }
    }
    QFile::remove(typed_.path());
}

std::string KeyRecordingWindow::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) {
    return typed_.waitForBytes(count, timeout);
}

std::string KeyRecordingWindow::received() const {
    return typed_.received();
}

}  // namespace vantorix::test
