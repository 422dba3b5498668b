#include "support/key_recording_window.h"

#include <QDir>
#include <QFile>

#include "support/headless_desktop.h"
#include "support/helper_process.h"

namespace vantorix::test {
namespace {

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
    if (!waitWhileRunning(window_, [this] { return QFile::exists(typed_.path()); })) {
        problem_ = "the recording window did not come up: " + window_.readAll().toStdString();
        return;
    }
    window_.waitForFinished(kFocusMs);
    ready_ = window_.state() == QProcess::Running;
}

KeyRecordingWindow::~KeyRecordingWindow() {
    endHelper(window_);
    QFile::remove(typed_.path());
}

std::string KeyRecordingWindow::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) {
    return typed_.waitForBytes(count, timeout);
}

std::string KeyRecordingWindow::received() const {
    return typed_.received();
}

}  // namespace vantorix::test
