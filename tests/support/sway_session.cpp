#include "support/sway_session.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include "support/helper_process.h"

namespace vantorix::test {
namespace {

// The user sway and its windows run as when the test runs as root.
constexpr uid_t kUnprivilegedId = 64123;

const QString kSway = QStringLiteral("sway");
const QString kSwaymsg = QStringLiteral("swaymsg");

bool runningAsRoot() {
    return ::geteuid() == 0;
}

// Hands `path` to the compositor's user, with `mode`.
bool handOver(const QString& path, mode_t mode) {
    const QByteArray native = QFile::encodeName(path);
    if (runningAsRoot() && ::chown(native.constData(), kUnprivilegedId, kUnprivilegedId) != 0) {
        return false;
    }
    return ::chmod(native.constData(), mode) == 0;
}

// Whether a node of sway's tree, or one below it, is a focused foot window.
bool focusedFootIn(const QJsonObject& node) {
    if (node.value(QStringLiteral("focused")).toBool() &&
        node.value(QStringLiteral("app_id")).toString() == QStringLiteral("foot")) {
        return true;
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            if (focusedFootIn(child.toObject())) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool SwaySession::installed() {
    return !QStandardPaths::findExecutable(kSway).isEmpty() &&
           !QStandardPaths::findExecutable(kSwaymsg).isEmpty();
}

SwaySession::SwaySession() {
    // Other users may pass through the folder, not read it.
    if (!dir_.isValid() || !QDir(dir_.path()).mkpath(QStringLiteral("runtime")) ||
        !QDir(dir_.path()).mkpath(QStringLiteral("files")) ||
        ::chmod(QFile::encodeName(dir_.path()).constData(), 0711) != 0 ||
        !handOver(runtimeFolder(), 0700) || !handOver(filesFolder(), 0755)) {
        problem_ = "cannot prepare the compositor's folders";
        return;
    }
    config_ = dir_.filePath(QStringLiteral("sway.conf"));
    QFile configFile(config_);
    if (!configFile.open(QIODevice::WriteOnly) ||
        configFile.write("output HEADLESS-1 resolution 1280x800\nxwayland disable\n") < 0) {
        problem_ = "cannot write the compositor's configuration";
        return;
    }
    configFile.close();
    ready_ = start();
}

bool SwaySession::start() {
    display_.clear();
    ipcSocket_.clear();
    sway_.setProcessChannelMode(QProcess::MergedChannels);
    startAsUser(sway_, kSway, {QStringLiteral("-c"), config_});
    if (!sway_.waitForStarted(kHelperTimeoutMs)) {
        problem_ = "sway did not start: " + sway_.errorString().toStdString();
        return false;
    }
    if (!waitWhileRunning(sway_, [this] {
            display_ = socket(QStringLiteral("wayland-?"));
            const QString ipc = socket(QStringLiteral("sway-ipc.*.sock"));
            ipcSocket_ = ipc.isEmpty() ? QString() : QDir(runtimeFolder()).filePath(ipc);
            return !display_.isEmpty() && !ipcSocket_.isEmpty();
        })) {
        problem_ = "sway did not come up: " + sway_.readAll().toStdString();
        return false;
    }
    return true;
}

void SwaySession::stop() {
    endHelper(sway_);
}

bool SwaySession::restart() {
    stop();
    ready_ = start();
    return ready_;
}

SwaySession::~SwaySession() {
    stop();
}

QProcessEnvironment SwaySession::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), display_);
    environment.remove(QStringLiteral("DISPLAY"));
    return environment;
}

void SwaySession::useInThisProcess() const {
    ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()).constData(), 1);
    ::setenv("WAYLAND_DISPLAY", QFile::encodeName(display_).constData(), 1);
    ::unsetenv("DISPLAY");
}

QString SwaySession::filesFolder() const {
    return dir_.filePath(QStringLiteral("files"));
}

bool SwaySession::handToUser(const QString& path) const {
    return handOver(path, 0600);
}

void SwaySession::startAsUser(QProcess& process, const QString& program,
                              const QStringList& arguments,
                              const QProcessEnvironment& extra) const {
    QProcessEnvironment environment = extra;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    environment.insert(QStringLiteral("HOME"), runtimeFolder());
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    if (!display_.isEmpty()) {
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), display_);
    }
    process.setProcessEnvironment(environment);
    if (!runningAsRoot()) {
        process.start(program, arguments);
        return;
    }
    const QString id = QString::number(kUnprivilegedId);
    process.start(QStringLiteral("setpriv"),
                  QStringList{QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                              QStringLiteral("--clear-groups"), program} +
                      arguments);
}

bool SwaySession::command(const QStringList& arguments) {
    QProcess swaymsg;
    swaymsg.setProcessChannelMode(QProcess::MergedChannels);
    swaymsg.start(kSwaymsg, QStringList{QStringLiteral("-s"), ipcSocket_} + arguments);
    if (!swaymsg.waitForFinished(kHelperTimeoutMs) || swaymsg.exitCode() != 0) {
        problem_ = "swaymsg " + arguments.join(QLatin1Char(' ')).toStdString() +
                   " failed: " + swaymsg.readAll().toStdString();
        return false;
    }
    return true;
}

bool SwaySession::setLayout(const std::string& layout) {
    return command({QStringLiteral("input"), QStringLiteral("type:keyboard"),
                    QStringLiteral("xkb_layout"), QString::fromStdString(layout)});
}

bool SwaySession::footHasFocus() {
    QProcess swaymsg;
    swaymsg.start(kSwaymsg, {QStringLiteral("-s"), ipcSocket_, QStringLiteral("-t"),
                             QStringLiteral("get_tree")});
    swaymsg.waitForFinished(kHelperTimeoutMs);
    return focusedFootIn(QJsonDocument::fromJson(swaymsg.readAllStandardOutput()).object());
}

QString SwaySession::runtimeFolder() const {
    return dir_.filePath(QStringLiteral("runtime"));
}

QString SwaySession::socket(const QString& pattern) const {
    const QStringList found = QDir(runtimeFolder()).entryList({pattern}, QDir::System);
    return found.isEmpty() ? QString() : found.front();
}

}  // namespace vantorix::test
