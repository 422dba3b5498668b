#pragma once

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

#include "serial/port_watcher.h"

namespace vantorix {

// Watches for a device path to come back through the system's notices of
// changes in folders (inotify on Linux): the folder the device sits in, or,
// while that is gone too (/dev/serial/by-id goes with the last adapter), the
// nearest folder above it that exists. A change there is the notice to try
// the port; nothing runs while nothing changes. Where a folder cannot be
// watched the port is tried once a second instead.
class QtPortWatcher final : public PortWatcher {
  public:
    QtPortWatcher();

    void watch(const std::string& port, std::function<void()> mayBeBack) override;
    void stop() override;

    // The folders watched now, for tests.
    QStringList watchedFolders() const { return folders_.directories(); }
    bool polling() const { return poll_.isActive(); }

  private:
    void watchNearestFolder();
    void onChange();

    QFileSystemWatcher folders_;
    QTimer poll_;
    QString device_;
    std::function<void()> mayBeBack_;
};

// The device path a port choice names: "COM1" is /dev/ttyS0, a name without
// a slash is in /dev, a path is itself.
QString portDevicePath(const std::string& port);

}  // namespace vantorix
