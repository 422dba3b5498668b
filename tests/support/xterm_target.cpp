#include "support/xterm_target.h"

// Qt before Xlib, whose macros (None, Bool...) clash with Qt names.
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

#include "support/helper_process.h"

#include <X11/Xlib.h>

#include "support/xvfb_server.h"

namespace vantorix::test {
namespace {

constexpr int kStartTimeoutMs = 10000;
// How long each wait for the file lasts before the event loop gets a turn.
constexpr int kSliceMs = 10;

const QString kXterm = QStringLiteral("xterm");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

bool XtermTarget::installed() {
    return !QStandardPaths::findExecutable(kXterm).isEmpty();
}

XtermTarget::XtermTarget(XvfbServer& server) : server_(server), typed_(file("typed")) {
    if (!dir_.isValid()) {
        problem_ = "cannot create a temporary directory";
        return;
    }
    // The window id is written once the terminal is raw, so its arrival also
    // says that typing can start.
    const QString script =
        QStringLiteral("stty raw -echo && echo $WINDOWID > '%1' && exec cat > '%2'")
            .arg(file("window"), typed_.path());
    QProcessEnvironment environment = server.environment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xterm_.setProcessEnvironment(environment);
    xterm_.setProcessChannelMode(QProcess::MergedChannels);
    xterm_.start(kXterm,
                 {QStringLiteral("-e"), QStringLiteral("sh"), QStringLiteral("-c"), script});
    if (!xterm_.waitForStarted(kStartTimeoutMs)) {
        problem_ = "xterm did not start: " + xterm_.errorString().toStdString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (window_ == 0 && !deadline.hasExpired() && xterm_.state() == QProcess::Running) {
        window_ = readFile(file("window")).trimmed().toULong();
        xterm_.waitForFinished(kSliceMs);
    }
    // The shell may learn the window's id before xterm has mapped it, and
    // focus given to a window not yet viewable is an X error that ends the
    // test's process.
    while (window_ != 0 && !viewable() && !deadline.hasExpired() &&
           xterm_.state() == QProcess::Running) {
        xterm_.waitForFinished(kSliceMs);
    }
    if (window_ == 0 || !viewable()) {
        problem_ = "xterm did not come up: " + xterm_.readAll().toStdString();
        return;
    }
    focus();
    ready_ = true;
}

XtermTarget::~XtermTarget() {
    endHelper(xterm_);
}

bool XtermTarget::viewable() const {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(server_.display(), window_, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

void XtermTarget::focus() {
    XSetInputFocus(server_.display(), window_, RevertToPointerRoot, CurrentTime);
    XSync(server_.display(), False);
}

std::string XtermTarget::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) {
    return typed_.waitForBytes(count, timeout);
}

std::string XtermTarget::received() const {
    return typed_.received();
}

QString XtermTarget::file(const char* name) const {
    return dir_.filePath(QString::fromLatin1(name));
}

}  // namespace vantorix::test
