#include "support/foot_target.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "support/helper_process.h"
#include "support/sway_session.h"

namespace vantorix::test {
namespace {

const QString kFoot = QStringLiteral("foot");

}  // namespace

bool FootTarget::installed() {
    return !QStandardPaths::findExecutable(kFoot).isEmpty();
}

FootTarget::FootTarget(SwaySession& session) : session_(session), typed_(file("typed")) {
    // "ready" appears once the terminal is raw, so typing can start then.
    const QString script =
        QStringLiteral("stty raw -echo && : > '%1' && touch '%2' && exec cat >> '%1'")
            .arg(typed_.path(), file("ready"));
    foot_.setProcessChannelMode(QProcess::MergedChannels);
    session_.startAsUser(foot_, kFoot, {QStringLiteral("sh"), QStringLiteral("-c"), script});
    if (!foot_.waitForStarted(kHelperTimeoutMs)) {
        problem_ = "foot did not start: " + foot_.errorString().toStdString();
        return;
    }
    if (!waitWhileRunning(
            foot_, [this] { return QFile::exists(file("ready")) && session_.footHasFocus(); })) {
        problem_ = "foot did not come up with the focus: " + foot_.readAll().toStdString();
        return;
    }
    ready_ = true;
}

FootTarget::~FootTarget() {
    endHelper(foot_);
    QFile::remove(typed_.path());
    QFile::remove(file("ready"));
}

std::string FootTarget::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) {
    return typed_.waitForBytes(count, timeout);
}

std::string FootTarget::received() const {
    return typed_.received();
}

QString FootTarget::file(const char* name) const {
    // Several windows may share the session's folder.
    return QDir(session_.filesFolder())
        .filePath(QStringLiteral("foot-%1-%2").arg(reinterpret_cast<quintptr>(this)).arg(name));
}

}  // namespace vantorix::test
