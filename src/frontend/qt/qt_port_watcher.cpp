#include "frontend/qt/qt_port_watcher.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <utility>

#include "frontend/qt/qt_serial_port_control.h"
#include "settings/redirect_settings.h"

namespace vantorix {

namespace {
constexpr std::chrono::seconds kPollInterval{1};
}  // namespace

QString portDevicePath(const std::string& port) {
    if (const int number = comPortNumber(port); number > 0) {
        return QString::fromStdString(commPortDevice(static_cast<std::int16_t>(number)));
    }
    const QString path = QString::fromLocal8Bit(port.c_str());
    return path.contains(QLatin1Char('/')) ? path : QStringLiteral("/dev/") + path;
}

QtPortWatcher::QtPortWatcher() {
    poll_.setInterval(kPollInterval);
    QObject::connect(&folders_, &QFileSystemWatcher::directoryChanged, &folders_,
                     [this] { onChange(); });
    QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] { onChange(); });
}

void QtPortWatcher::watch(const std::string& port, std::function<void()> mayBeBack) {
    stop();
    device_ = QFileInfo(portDevicePath(port)).absoluteFilePath();
    mayBeBack_ = std::move(mayBeBack);
    watchNearestFolder();
}

void QtPortWatcher::stop() {
    mayBeBack_ = nullptr;
    poll_.stop();
    if (const QStringList watched = folders_.directories(); !watched.isEmpty()) {
        folders_.removePaths(watched);
    }
}

// Folders that appear on the way down to the device are watched as they come,
// since each change brings this back here. While the device is there but did
// not open (it came back before the watch began, its permissions are still
// being set, another program holds it) no change may come to say so: it is
// tried once a second until it opens or goes.
void QtPortWatcher::watchNearestFolder() {
    QDir folder = QFileInfo(device_).dir();
    while (!folder.exists() && !folder.isRoot()) {
        folder.setPath(QFileInfo(folder.absolutePath()).path());
    }
    const QString path = folder.absolutePath();
    const QStringList watched = folders_.directories();
    if (!watched.isEmpty() && !(watched.size() == 1 && watched.front() == path)) {
        folders_.removePaths(watched);
    }
    const bool watching =
        (watched.size() == 1 && watched.front() == path) || folders_.addPath(path);
    const bool poll = !watching || QFileInfo::exists(device_);
    if (!poll) {
        poll_.stop();
    } else if (!poll_.isActive()) {
        poll_.start();
    }
}

void QtPortWatcher::onChange() {
    if (!mayBeBack_) {
        return;
    }
    watchNearestFolder();
    // A copy: the listener may stop watching, or watch afresh, from inside.
    const std::function<void()> listener = mayBeBack_;
    listener();
}

}  // namespace vantorix
